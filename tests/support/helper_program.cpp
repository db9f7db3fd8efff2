// A second program for the tests that need one running beside them.
//   store-in-a-loop GROUP KEY CONFIG_HOME: stores KEY-0 ... KEY-29 in GROUP/KEY of the settings
//     file under CONFIG_HOME, each store read back at once;
//   hold-lock PATH: takes the lock file PATH, says "held" and keeps the lock until it is killed
//     (at most a minute);
//   record-hold PATH: opens the printer record PATH with SQLite itself, takes its write lock
//     (BEGIN EXCLUSIVE), says "held" and keeps it until it is killed (at most a minute);
//   record-begin PATH PRINTER COUNT: begins and completes COUNT entries for PRINTER, one by one,
//     saying "writing" once the first is in.
//   record-machine LOCATION USER HOST COUNT: a machine of a fleet: begins COUNT entries made by
//     USER@HOST, a hundred at a time over 50 printers (10.9.0.0 to .49), and completes each
//     hundred; says "writing" once the first hundred is in and goes on when it reads a line.
//   record-hold-printer LOCATION PRINTER BY: holds PRINTER for BY ("user@host"), says "held", and
//     then does what it reads: "release" lets it go ("released"), "close" ends the program; it is
//     otherwise held until the program is killed (at most two minutes).
// Ends with status 0 when all went as it should, 1 with the reason on stderr otherwise, 2 for a
// command line it does not know.
#include <QCoreApplication>
#include <QFile>
#include <QLockFile>
#include <QThread>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "core/record/printer_record.h"
#include "core/store/settings_store.h"

namespace {

int fail(const QString& why) {
  std::fprintf(stderr, "q6config_test_helper: %s\n", qPrintable(why));
  return 1;
}

int storeInALoop(const QString& group, const QString& key) {
  for (int round = 0; round < 30; ++round) {
    const QString value = QStringLiteral("%1-%2").arg(key).arg(round);
    const Q6::Result<> stored = Orvanel::storeValues(group, {{key, value}});
    if (!stored) {
      return fail(QStringLiteral("round %1: %2").arg(round).arg(stored.error()));
    }
    const QString read = Orvanel::readStoredValue(group, key, QString()).toString();
    if (read != value) {
      return fail(QStringLiteral("round %1: stored %2, read back %3").arg(round).arg(value, read));
    }
  }
  return 0;
}

int holdLock(const QString& path) {
  QLockFile lock(path);
  if (!lock.lock()) {
    return fail(QStringLiteral("cannot take the lock %1").arg(path));
  }
  std::fputs("held\n", stdout);
  std::fflush(stdout);
  QThread::sleep(60);
  return 0;
}

int recordHold(const QString& path) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
          SQLITE_OK ||
      sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK) {
    const QString why = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_close(db);
    return fail(QStringLiteral("cannot lock the record %1: %2").arg(path, why));
  }
  std::fputs("held\n", stdout);
  std::fflush(stdout);
  QThread::sleep(60);
  sqlite3_close(db);
  return 0;
}

int recordBegin(const QString& path, const QString& printer, int count) {
  auto record = Q6::PrinterRecord::open(path);
  if (!record) {
    return fail(record.error());
  }
  for (int i = 0; i < count; ++i) {
    Q6::RecordEntry entry;
    entry.time = QDateTime::currentDateTimeUtc();
    entry.user = Q6::recordUser();
    entry.host = Q6::recordHost();
    entry.program = QStringLiteral("q6config_test_helper");
    entry.printer = printer;
    entry.action = QStringLiteral("apply");
    entry.effect = Q6::RecordEffect::Settings;
    entry.settings = {QStringLiteral("round=%1").arg(i)};
    const auto ids = (*record)->begin({entry});
    if (!ids) {
      return fail(QStringLiteral("entry %1: %2").arg(i).arg(ids.error()));
    }
    const Q6::Result<> completed =
        (*record)->complete({{ids->front(), Q6::RecordOutcome::Delivered, 0, QString()}});
    if (!completed) {
      return fail(QStringLiteral("entry %1: %2").arg(i).arg(completed.error()));
    }
    if (i == 0) {
      std::fputs("writing\n", stdout);
      std::fflush(stdout);
    }
  }
  return 0;
}

void say(const char* line) {
  std::fputs(line, stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

int recordMachine(const QString& location, const QString& user, const QString& host, int count) {
  auto record = Q6::PrinterRecord::open(location);
  if (!record) {
    return fail(record.error());
  }
  constexpr int kBatch = 100;
  for (int first = 0; first < count; first += kBatch) {
    std::vector<Q6::RecordEntry> entries;
    for (int i = first; i < std::min(count, first + kBatch); ++i) {
      Q6::RecordEntry entry;
      entry.time = QDateTime::currentDateTimeUtc();
      entry.user = user;
      entry.host = host;
      entry.program = QStringLiteral("q6config_test_helper");
      entry.printer = QStringLiteral("tcp://10.9.0.%1:9100").arg(i % 50);
      entry.action = QStringLiteral("apply");
      entry.effect = Q6::RecordEffect::Settings;
      entry.settings = {QStringLiteral("round=%1").arg(i)};
      entries.push_back(entry);
    }
    const auto ids = (*record)->begin(entries);
    if (!ids) {
      return fail(QStringLiteral("entries from %1: %2").arg(first).arg(ids.error()));
    }
    std::vector<Q6::RecordCompletion> done;
    for (const qint64 id : *ids) {
      done.push_back({id, Q6::RecordOutcome::Delivered, 0, QString()});
    }
    if (const Q6::Result<> completed = (*record)->complete(done); !completed) {
      return fail(QStringLiteral("entries from %1: %2").arg(first).arg(completed.error()));
    }
    if (first == 0) {
      say("writing");
      std::string go;
      std::getline(std::cin, go);
    }
  }
  return 0;
}

int recordHoldPrinter(const QString& location, const QString& printer, const QString& by) {
  auto record = Q6::PrinterRecord::open(location);
  if (!record) {
    return fail(record.error());
  }
  const auto held = (*record)->hold({printer}, by, 0);
  if (!held || held->size() != 1 || !held->front().held) {
    return fail(held ? held->front().busy() : held.error());
  }
  say("held");
  std::string line;
  while (std::getline(std::cin, line)) {
    if (line == "close") {
      return 0;
    }
    if (line == "release") {
      if (const Q6::Result<> let = (*record)->release({printer}); !let) {
        return fail(let.error());
      }
      say("released");
    }
  }
  QThread::sleep(120);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const QByteArray command = argc > 1 ? QByteArray(argv[1]) : QByteArray();
  if (command == "store-in-a-loop" && argc == 5) {
    qputenv("XDG_CONFIG_HOME", argv[4]);
  }
  const QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (command == "store-in-a-loop" && args.size() == 5) {
    return storeInALoop(args[2], args[3]);
  }
  if (command == "hold-lock" && args.size() == 3) {
    return holdLock(args[2]);
  }
  if (command == "record-hold" && args.size() == 3) {
    return recordHold(args[2]);
  }
  if (command == "record-begin" && args.size() == 5) {
    return recordBegin(args[2], args[3], args[4].toInt());
  }
  if (command == "record-machine" && args.size() == 6) {
    return recordMachine(args[2], args[3], args[4], args[5].toInt());
  }
  if (command == "record-hold-printer" && args.size() == 5) {
    return recordHoldPrinter(args[2], args[3], args[4]);
  }
  std::fputs(
      "usage: q6config_test_helper store-in-a-loop GROUP KEY CONFIG_HOME\n"
      "       q6config_test_helper hold-lock PATH\n"
      "       q6config_test_helper record-hold PATH\n"
      "       q6config_test_helper record-begin PATH PRINTER COUNT\n"
      "       q6config_test_helper record-machine LOCATION USER HOST COUNT\n"
      "       q6config_test_helper record-hold-printer LOCATION PRINTER BY\n",
      stderr);
  return 2;
}
