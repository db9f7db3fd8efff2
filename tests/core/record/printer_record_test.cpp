#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <ostream>
#include <thread>
#include <vector>

#include "core/record/printer_record.h"
#include "support/core_support.h"
#include "support/record_engines.h"

namespace Q6 {
// Readable failures: the words the record itself writes.
void PrintTo(SettingStatus status, std::ostream* os) {
  *os << (status == SettingStatus::Known     ? "known"
          : status == SettingStatus::Factory ? "factory"
                                             : "unknown");
}
void PrintTo(RecordOutcome outcome, std::ostream* os) {
  *os << recordOutcomeName(outcome).toStdString();
}
}  // namespace Q6

namespace {

using Q6::PrinterRecord;
using Q6::RecordEffect;
using Q6::RecordEntry;
using Q6::RecordOutcome;
using Q6::SettingStatus;
using Q6Test::RecordEngine;

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
}

RecordEntry entryFor(const QString& printer, RecordEffect effect, const QStringList& settings,
                     int second = 0) {
  RecordEntry entry;
  entry.time = QDateTime(QDate(2026, 3, 14), QTime(9, 26, second, 535), Qt::UTC);
  entry.user = QStringLiteral("ana");
  entry.host = QStringLiteral("till-3");
  entry.program = QStringLiteral("q6config-cli 1.8.0");
  entry.printer = printer;
  entry.model = QStringLiteral("QLX600");
  entry.action = effect == RecordEffect::Reset      ? QStringLiteral("reset")
                 : effect == RecordEffect::Settings ? QStringLiteral("apply")
                                                    : QStringLiteral("test line-feed");
  entry.effect = effect;
  entry.settings = settings;
  entry.bytes = 11;
  entry.sha256 = Q6Test::hex(
      "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");  // of no bytes
  return entry;
}

// Opens a record, failing the test with the refusal.
std::unique_ptr<PrinterRecord> openRecord(const QString& path) {
  auto record = PrinterRecord::open(path);
  EXPECT_TRUE(record.ok()) << record.error().toStdString();
  return record ? std::move(*record) : nullptr;
}

// What SQLite itself says of the file, apart from this program's reading of it.
QString sqliteAnswer(const QString& path, const char* sql) {
  return Q6Test::askRecordDatabase(RecordEngine::Sqlite, path, QString::fromUtf8(sql));
}

// Each history is written to a real record, a file and a server's database (another printer's
// entries between its own), and read back through states(), so the cut-off at the last reset is
// each engine's as well as the pure function's. `entry` counts the history's entries from 1; 0 is
// "no entry said anything".
TEST(PrinterRecordState, HistoriesGiveWhatThePrinterHolds) {
  struct Step {
    RecordEffect effect;
    RecordOutcome outcome;
    QStringList settings;
  };
  struct Expected {
    const char* setting;
    SettingStatus status;
    const char* value;
    int entry;
  };
  const auto S = RecordEffect::Settings;
  const auto R = RecordEffect::Reset;
  const auto N = RecordEffect::None;
  const auto delivered = RecordOutcome::Delivered;
  const auto failed = RecordOutcome::Failed;
  const auto pending = RecordOutcome::Pending;
  const auto notSent = RecordOutcome::NotSent;
  const auto unknown = SettingStatus::Unknown;
  const auto factory = SettingStatus::Factory;
  const auto known = SettingStatus::Known;
  const QStringList density3 = {QStringLiteral("density=3")};
  const struct {
    const char* name;
    std::vector<Step> steps;
    std::vector<Expected> expected;  // "feed" is never carried: it shows the base
  } rows[] = {
      {"no entries", {}, {{"density", unknown, "", 0}, {"feed", unknown, "", 0}}},
      {"reset delivered",
       {{R, delivered, {}}},
       {{"density", factory, "", 1}, {"feed", factory, "", 1}}},
      {"reset, then apply",
       {{R, delivered, {}}, {S, delivered, {"density=3", "cutter=Full Cut"}}},
       {{"density", known, "3", 2}, {"cutter", known, "Full Cut", 2}, {"feed", factory, "", 1}}},
      {"apply, then a failed apply of the same setting",
       {{S, delivered, density3}, {S, failed, {"density=5"}}},
       {{"density", unknown, "", 2}, {"feed", unknown, "", 0}}},
      {"apply never completed",
       {{R, delivered, {}}, {S, pending, density3}},
       {{"density", unknown, "", 2}, {"feed", factory, "", 1}}},
      {"apply failed before the link opened",
       {{R, delivered, {}}, {S, notSent, density3}},
       {{"density", factory, "", 1}}},
      {"tests change nothing",
       {{S, delivered, density3}, {N, delivered, {}}, {N, failed, {}}},
       {{"density", known, "3", 1}, {"feed", unknown, "", 0}}},
      {"reset pending after known values",
       {{S, delivered, {"density=3", "cutter=Full Cut"}}, {R, pending, {}}},
       {{"density", unknown, "", 2}, {"cutter", unknown, "", 2}, {"feed", unknown, "", 2}}},
      {"apply after a failed reset",
       {{R, failed, {}}, {S, delivered, density3}},
       {{"density", known, "3", 2}, {"cutter", unknown, "", 1}}},
      {"a reset that never left is no cut-off",
       {{S, delivered, density3},
        {R, delivered, {}},
        {R, notSent, {}},
        {S, delivered, {"cutter=Partial Cut"}}},
       {{"density", factory, "", 2}, {"cutter", known, "Partial Cut", 4}}},
      {"entries before a delivered reset count for nothing",
       {{S, delivered, density3}, {S, failed, {"cutter=Full Cut"}}, {R, delivered, {}}},
       {{"density", factory, "", 3}, {"cutter", factory, "", 3}}},
  };
  const QString printer = QStringLiteral("tcp://till-3.local:9100");
  const QString other = QStringLiteral("tcp://10.0.0.9:9100");
  QString leftOut;
  for (const RecordEngine engine : Q6Test::recordEngines(&leftOut)) {
    SCOPED_TRACE(Q6Test::engineName(engine));
    for (const auto& row : rows) {
      SCOPED_TRACE(row.name);
      QTemporaryDir dir;
      auto record = openRecord(Q6Test::newRecordLocation(engine, dir));
      ASSERT_TRUE(record);
      std::vector<RecordEntry> oldestFirst;
      std::vector<qint64> ids = {0};  // by the history's count from 1
      for (std::size_t i = 0; i < row.steps.size(); ++i) {
        const Step& step = row.steps[i];
        RecordEntry entry = entryFor(printer, step.effect, step.settings, static_cast<int>(i));
        // Another printer, reset and then left pending: it must not reach this printer's state.
        auto others = record->begin({entryFor(other, RecordEffect::Reset, {}),
                                     entryFor(other, RecordEffect::Settings, density3)});
        ASSERT_TRUE(others.ok()) << others.error().toStdString();
        auto begun = record->begin({entry});
        ASSERT_TRUE(begun.ok()) << begun.error().toStdString();
        ASSERT_EQ(begun->size(), 1u);
        entry.id = begun->front();
        entry.outcome = step.outcome;
        ids.push_back(entry.id);
        oldestFirst.push_back(entry);
        if (step.outcome != pending) {
          const Q6::Result<> completed = record->complete({{entry.id, step.outcome, 5, "cut off"}});
          ASSERT_TRUE(completed.ok()) << completed.error().toStdString();
        }
      }
      // Read after another printer's: what one printer's entries are taken apart into is not
      // carried over to the next one's.
      const auto fromFile = record->states({other, printer, QStringLiteral("queue:never-used")});
      ASSERT_TRUE(fromFile.ok()) << fromFile.error().toStdString();
      ASSERT_EQ(fromFile->size(), 3u);
      EXPECT_EQ(fromFile->at(0).of(QStringLiteral("density")).status, unknown);
      EXPECT_EQ(fromFile->at(2).base, Q6::SettingState{});
      EXPECT_TRUE(fromFile->at(2).settings.isEmpty());
      const Q6::PrinterState pure = Q6::stateFromEntries(oldestFirst);
      for (const auto& [state, path] :
           {std::pair{pure, "stateFromEntries"}, std::pair{fromFile->at(1), "states()"}}) {
        SCOPED_TRACE(path);
        for (const Expected& e : row.expected) {
          SCOPED_TRACE(e.setting);
          const Q6::SettingState s = state.of(QLatin1String(e.setting));
          EXPECT_EQ(s.status, e.status);
          EXPECT_EQ(s.value, QLatin1String(e.value));
          EXPECT_EQ(s.entry, ids.at(e.entry));
          if (e.entry == 0) {
            EXPECT_TRUE(s.since.isNull());
            EXPECT_TRUE(s.by.isEmpty());
          } else {
            EXPECT_EQ(s.since, oldestFirst.at(e.entry - 1).time);
            EXPECT_EQ(s.by, QStringLiteral("ana@till-3"));
          }
        }
      }
    }
  }
  if (!leftOut.isEmpty()) {
    GTEST_SKIP() << "rows left out: " << leftOut.toStdString();
  }
}

// Whatever keeps the record from being written, the operation says so, naming the file and the
// reason, and the file keeps every byte and every entry it had.
TEST(PrinterRecordFaults, RefusedWithTheReasonAndTheFileKept) {
  enum class Fault { FullDisk, ReadOnlyFolder, LockedByAnotherProgram, NotADatabase, Folder };
  const struct {
    Fault fault;
    const char* name;
    const char* reason;
  } faults[] = {
      {Fault::FullDisk, "full disk", "No space left on device"},
      {Fault::ReadOnlyFolder, "read-only folder", "Read-only file system"},
      {Fault::LockedByAnotherProgram, "locked by another program", "database is locked"},
      {Fault::NotADatabase, "not a database", "file is not a database"},
      {Fault::Folder, "a folder in the file's place", "it is a folder"},
  };
  QString skipped;
  for (const auto& f : faults) {
    SCOPED_TRACE(f.name);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("state"));
    const QString path = folder + QStringLiteral("/record.sqlite3");
    std::optional<Q6Test::PrivateTmpfs> disk;
    if (f.fault == Fault::FullDisk || f.fault == Fault::ReadOnlyFolder) {
      disk.emplace(folder);
      if (!disk->unavailable().isEmpty()) {
        skipped += QStringLiteral("%1: %2; ").arg(QLatin1String(f.name), disk->unavailable());
        continue;
      }
    }
    const RecordEntry entry = entryFor(QStringLiteral("queue:kitchen"), RecordEffect::Reset, {});
    if (f.fault == Fault::NotADatabase) {
      ASSERT_TRUE(QDir().mkpath(folder));
      ASSERT_TRUE(Q6Test::writeFile(path, QByteArray("[Printer]\nModel=QLX600\n").repeated(300)));
    } else if (f.fault == Fault::Folder) {
      ASSERT_TRUE(QDir().mkpath(path));
    } else {
      // Made beside the small disk and copied in: the disk has room for the record, not for the
      // record and its journal at once.
      const QString made = dir.filePath(QStringLiteral("made.sqlite3"));
      {
        auto record = openRecord(made);
        ASSERT_TRUE(record);
        ASSERT_TRUE(record->begin({entry}).ok());
      }
      ASSERT_TRUE(QDir().mkpath(folder));
      ASSERT_TRUE(QFile::copy(made, path));
    }
    QProcess holder;
    switch (f.fault) {
      case Fault::FullDisk:
        ASSERT_TRUE(disk->fill(0));
        break;
      case Fault::ReadOnlyFolder:
        ASSERT_TRUE(disk->makeReadOnly());
        break;
      case Fault::LockedByAnotherProgram: {
        holder.start(QStringLiteral(Q6CONFIG_TEST_HELPER_PATH),
                     {QStringLiteral("record-hold"), path});
        QByteArray said;
        while (!said.contains("held\n") && holder.waitForReadyRead(30000)) {
          said += holder.readAll();
        }
        ASSERT_TRUE(said.contains("held\n"))
            << said.toStdString() << holder.readAllStandardError().toStdString();
        break;
      }
      case Fault::NotADatabase:
      case Fault::Folder:
        break;
    }
    const QByteArray before = fileBytes(path);

    QString refusal;
    auto record = PrinterRecord::open(path);
    if (!record) {
      refusal = record.error();
    } else {
      auto begun = (*record)->begin({entry});
      ASSERT_FALSE(begun.ok());
      refusal = begun.error();
    }
    EXPECT_TRUE(refusal.contains(path)) << refusal.toStdString();
    EXPECT_TRUE(refusal.contains(QLatin1String(f.reason))) << refusal.toStdString();
    EXPECT_EQ(fileBytes(path), before);
    record = Q6::Refused{QStringLiteral("closed")};

    if (holder.state() != QProcess::NotRunning) {
      holder.kill();
      holder.waitForFinished(30000);
    }
    if (f.fault == Fault::FullDisk) {
      for (const QString& filler :
           QDir(folder).entryList({QStringLiteral(".filler-*")}, QDir::Files | QDir::Hidden)) {
        QFile::remove(folder + u'/' + filler);
      }
    }
    if (f.fault == Fault::FullDisk || f.fault == Fault::LockedByAnotherProgram) {
      // The entry begun before the fault is still there, and nothing else.
      auto reopened = openRecord(path);
      ASSERT_TRUE(reopened);
      auto history = reopened->history(entry.printer, 0);
      ASSERT_TRUE(history.ok()) << history.error().toStdString();
      EXPECT_EQ(history->size(), 1u);
    }
  }
  if (!skipped.isEmpty()) {
    GTEST_SKIP() << "rows left out: " << skipped.toStdString();
  }
}

// Sixteen threads on one record and other programs on the same file, all writing at once:
// every entry is there afterwards and the file is sound.
TEST(PrinterRecordConcurrency, ThreadsAndAnotherProgramLoseNothing) {
  constexpr int kThreads = 16;
  constexpr int kEach = 15;
  constexpr int kHelpers = 4;
  constexpr int kHelperEntries = 40;
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("record.sqlite3"));

  // The other programs start on a record that is not there yet: they make it at once, and the
  // ones that find it made meanwhile use it as it is.
  std::vector<std::unique_ptr<QProcess>> helpers;
  for (int h = 0; h < kHelpers; ++h) {
    helpers.push_back(std::make_unique<QProcess>());
    helpers.back()->start(
        QStringLiteral(Q6CONFIG_TEST_HELPER_PATH),
        {QStringLiteral("record-begin"), path, QStringLiteral("serial:/dev/ttyS%1").arg(h),
         QString::number(kHelperEntries)});
  }
  auto record = openRecord(path);
  ASSERT_TRUE(record);
  // The threads start once the other programs are writing, so that all write at once.
  for (const auto& helper : helpers) {
    QByteArray said;
    while (!said.contains("writing\n") && helper->waitForReadyRead(30000)) {
      said += helper->readAll();
    }
    ASSERT_TRUE(said.contains("writing\n")) << helper->readAllStandardError().toStdString();
  }
  std::mutex mutex;
  QStringList failures;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      const QString printer = QStringLiteral("tcp://10.0.0.%1:9100").arg(t);
      for (int i = 0; i < kEach; ++i) {
        auto ids = record->begin(
            {entryFor(printer, RecordEffect::Settings, {QStringLiteral("density=%1").arg(i)})});
        Q6::Result<> completed = Q6::Refused{QStringLiteral("never begun")};
        if (ids) {
          completed = record->complete({{ids->front(), RecordOutcome::Delivered, 11, QString()}});
        }
        if (!ids || !completed) {
          const std::lock_guard<std::mutex> lock(mutex);
          failures << (ids ? completed.error() : ids.error());
        }
      }
    });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
  for (const auto& helper : helpers) {
    ASSERT_TRUE(helper->waitForFinished(120000));
    EXPECT_EQ(helper->exitCode(), 0) << helper->readAllStandardError().toStdString();
  }
  EXPECT_TRUE(failures.isEmpty()) << failures.join(u'\n').toStdString();

  for (int t = 0; t < kThreads; ++t) {
    auto history = record->history(QStringLiteral("tcp://10.0.0.%1:9100").arg(t), 0);
    ASSERT_TRUE(history.ok()) << history.error().toStdString();
    ASSERT_EQ(history->size(), static_cast<std::size_t>(kEach));
    for (int i = 0; i < kEach; ++i) {
      // Newest first.
      EXPECT_EQ(history->at(i).settings,
                QStringList{QStringLiteral("density=%1").arg(kEach - 1 - i)});
      EXPECT_EQ(history->at(i).outcome, RecordOutcome::Delivered);
    }
  }
  for (int h = 0; h < kHelpers; ++h) {
    auto theirs = record->history(QStringLiteral("serial:/dev/ttyS%1").arg(h), 0);
    ASSERT_TRUE(theirs.ok()) << theirs.error().toStdString();
    EXPECT_EQ(theirs->size(), static_cast<std::size_t>(kHelperEntries));
  }
  record.reset();
  EXPECT_EQ(sqliteAnswer(path, "SELECT count(*) FROM entries"),
            QString::number(kThreads * kEach + kHelpers * kHelperEntries));
  EXPECT_EQ(sqliteAnswer(path, "PRAGMA integrity_check"), QStringLiteral("ok"));
}

// A fleet's entries are begun many to a statement and completed by neighbouring runs: each entry
// must still get its own fields, and each completion land on its own entry alone. 75 entries make
// two full statements and a short one; their columns change within a statement.
TEST(PrinterRecordBatches, EachEntryKeepsItsOwnFieldsAndCompletion) {
  constexpr int kEntries = 75;
  QString leftOut;
  for (const RecordEngine engine : Q6Test::recordEngines(&leftOut)) {
    SCOPED_TRACE(Q6Test::engineName(engine));
    QTemporaryDir dir;
    const QString path = Q6Test::newRecordLocation(engine, dir);
    auto record = openRecord(path);
    ASSERT_TRUE(record);
    const auto printerOf = [](int i) {
      return QStringLiteral("tcp://10.1.%1.%2:9100").arg(i / 50).arg(i % 50);
    };
    std::vector<RecordEntry> entries;
    for (int i = 0; i < kEntries; ++i) {
      QStringList settings;
      for (int s = 0; s < i % 3; ++s) {
        settings << QStringLiteral("density=%1").arg((i + s) % 5);
      }
      RecordEntry e = entryFor(printerOf(i), RecordEffect::Settings, settings, i / 20);
      e.user = i % 7 == 0 ? QStringLiteral("bo") : QStringLiteral("ana");
      e.bytes = 100 + i;
      entries.push_back(e);
    }
    auto ids = record->begin(entries);
    ASSERT_TRUE(ids.ok()) << ids.error().toStdString();
    ASSERT_EQ(ids->size(), static_cast<size_t>(kEntries));
    EXPECT_TRUE(std::is_sorted(ids->begin(), ids->end()));
    EXPECT_EQ(std::adjacent_find(ids->begin(), ids->end()), ids->end());

    // How each entry ends, given out of order; unnamed entries stay pending.
    struct End {
      int entry;
      RecordOutcome outcome;
      qint64 sent;
      const char* reason;
    };
    const std::vector<End> ends = {
        {40, RecordOutcome::Delivered, 140, ""},    {3, RecordOutcome::Delivered, 11, ""},
        {4, RecordOutcome::Delivered, 11, ""},      {5, RecordOutcome::Failed, 4, "Broken pipe"},
        {6, RecordOutcome::Delivered, 11, ""},      {2, RecordOutcome::Delivered, 11, ""},
        {7, RecordOutcome::Delivered, 12, ""},      {9, RecordOutcome::NotSent, 0, "refused"},
        {10, RecordOutcome::NotSent, 0, "refused"}, {41, RecordOutcome::Delivered, 140, ""},
        {74, RecordOutcome::Delivered, 11, ""},
    };
    std::vector<PrinterRecord::Completion> completions;
    for (const End& end : ends) {
      completions.push_back(
          {ids->at(end.entry), end.outcome, end.sent, QString::fromUtf8(end.reason)});
    }
    ASSERT_TRUE(record->complete(completions).ok());
    // A batch with one entry already complete among neighbours changes nothing at all.
    const auto refused = record->complete({{ids->at(8), RecordOutcome::Delivered, 11, QString()},
                                           {ids->at(9), RecordOutcome::Delivered, 11, QString()},
                                           {ids->at(11), RecordOutcome::Delivered, 11, QString()}});
    EXPECT_FALSE(refused.ok());

    for (int i = 0; i < kEntries; ++i) {
      auto history = record->history(printerOf(i), 0);
      ASSERT_TRUE(history.ok()) << history.error().toStdString();
      ASSERT_EQ(history->size(), 1u) << i;
      const RecordEntry& got = history->front();
      EXPECT_EQ(got.id, ids->at(i)) << i;
      EXPECT_EQ(got.settings, entries[i].settings) << i;
      EXPECT_EQ(got.user, entries[i].user) << i;
      EXPECT_EQ(got.time, entries[i].time) << i;
      EXPECT_EQ(got.bytes, 100 + i) << i;
      const auto end =
          std::find_if(ends.begin(), ends.end(), [i](const End& e) { return e.entry == i; });
      EXPECT_EQ(got.outcome, end == ends.end() ? RecordOutcome::Pending : end->outcome) << i;
      EXPECT_EQ(got.sent, end == ends.end() ? 0 : end->sent) << i;
      EXPECT_EQ(got.reason, end == ends.end() ? QString() : QString::fromUtf8(end->reason)) << i;
      EXPECT_EQ(got.completed.isNull(), end == ends.end()) << i;
    }
  }
  if (!leftOut.isEmpty()) {
    GTEST_SKIP() << "rows left out: " << leftOut.toStdString();
  }
}

// One printer, one name, however its connection is spelt. "@" stands for a temporary folder with
// every link in its own path followed.
TEST(RecordPrinterName, EverySpellingOfAPrinterGivesOneName) {
  using Orvanel::ConnectionKind;
  const struct {
    ConnectionKind kind;
    const char* address;
    int port;
    const char* name;
  } rows[] = {
      {ConnectionKind::Network, "Till-3.Example.COM.", 9100, "tcp://till-3.example.com:9100"},
      {ConnectionKind::Network, "till-3.local", 9101, "tcp://till-3.local:9101"},
      {ConnectionKind::Network, "TILL-3.LOCAL.", 9100, "tcp://till-3.local:9100"},
      {ConnectionKind::Network, "192.168.1.20", 9100, "tcp://192.168.1.20:9100"},
      {ConnectionKind::Network, "127.1", 9100, "tcp://127.0.0.1:9100"},
      {ConnectionKind::Network, "010.0.0.1", 9100, "tcp://8.0.0.1:9100"},
      {ConnectionKind::Network, "0x7f.0.0.1", 9100, "tcp://127.0.0.1:9100"},
      {ConnectionKind::Network, "::FFFF:192.168.1.20", 9100, "tcp://192.168.1.20:9100"},
      {ConnectionKind::Network, "2001:DB8:0:0::0:1", 9100, "tcp://[2001:db8::1]:9100"},
      {ConnectionKind::Network, "::1", 515, "tcp://[::1]:515"},
      {ConnectionKind::Queue, "Kitchen_QLX600", 0, "queue:kitchen_qlx600"},
      {ConnectionKind::File, "@/real.prn", 0, "file:@/real.prn"},
      {ConnectionKind::File, "@/link.prn", 0, "file:@/real.prn"},
      {ConnectionKind::File, "@/sub/./../real.prn", 0, "file:@/real.prn"},
      {ConnectionKind::File, "@//sub//later.prn", 0, "file:@/sub/later.prn"},
      {ConnectionKind::File, "@/linked-sub/../real.prn", 0, "file:@/real.prn"},
      {ConnectionKind::File, "@/linked-sub/later.prn", 0, "file:@/sub/later.prn"},
      {ConnectionKind::File, "@/dangling.prn", 0, "file:@/sub/later.prn"},
      {ConnectionKind::File, "@/nowhere/../later.prn", 0, "file:@/later.prn"},
      {ConnectionKind::Serial, "ttyQ6Test9", 0, "serial:/dev/ttyQ6Test9"},
      {ConnectionKind::Serial, "@/link.prn", 0, "serial:@/real.prn"},
      {ConnectionKind::NotSet, "", 0, ""},
  };
  QTemporaryDir dir;
  char resolved[PATH_MAX];
  ASSERT_NE(::realpath(QFile::encodeName(dir.path()).constData(), resolved), nullptr);
  const QString root = QFile::decodeName(resolved);
  ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/sub")));
  ASSERT_TRUE(Q6Test::writeFile(root + QStringLiteral("/real.prn"), "x"));
  ASSERT_TRUE(QFile::link(QStringLiteral("real.prn"), root + QStringLiteral("/link.prn")));
  ASSERT_TRUE(QFile::link(QStringLiteral("sub"), root + QStringLiteral("/linked-sub")));
  ASSERT_TRUE(
      QFile::link(QStringLiteral("linked-sub/later.prn"), root + QStringLiteral("/dangling.prn")));
  for (const auto& row : rows) {
    SCOPED_TRACE(row.address);
    Orvanel::LinkSettings settings;
    settings.kind = row.kind;
    const QString address = QString::fromUtf8(row.address).replace(u'@', root);
    settings.host = settings.queue = settings.path = settings.serialPort = address;
    settings.port = row.port;
    EXPECT_EQ(Q6::recordPrinterName(settings), QString::fromUtf8(row.name).replace(u'@', root));
  }
}

// Where the programs keep the record, from the environment; and, as the tests run, never in the
// real home.
TEST(PrinterRecordPlace, FromTheEnvironment) {
  const QString asTested = Q6::defaultRecordPath();
  EXPECT_TRUE(asTested.startsWith(QDir::tempPath() + QStringLiteral("/q6config-test-state-")))
      << asTested.toStdString();
  EXPECT_TRUE(asTested.endsWith(QStringLiteral("/q6config/record.sqlite3")))
      << asTested.toStdString();

  const char* const names[] = {"Q6CONFIG_RECORD", "XDG_STATE_HOME", "HOME"};
  const struct {
    const char* values[3];  // in the order of names; nullptr: unset
    const char* path;
  } rows[] = {
      {{"/srv/q6/shared.sqlite3", "/var/state", "/home/ana"}, "/srv/q6/shared.sqlite3"},
      {{"", "/var/state", "/home/ana"}, "/var/state/q6config/record.sqlite3"},
      {{nullptr, "/var/state", "/home/ana"}, "/var/state/q6config/record.sqlite3"},
      {{nullptr, "", "/home/ana"}, "/home/ana/.local/state/q6config/record.sqlite3"},
      {{nullptr, "relative/state", "/home/ana"}, "/home/ana/.local/state/q6config/record.sqlite3"},
      {{nullptr, nullptr, "/home/ana"}, "/home/ana/.local/state/q6config/record.sqlite3"},
  };
  QByteArray saved[3];
  bool wasSet[3];
  for (int i = 0; i < 3; ++i) {
    wasSet[i] = qEnvironmentVariableIsSet(names[i]);
    saved[i] = qgetenv(names[i]);
  }
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    for (int i = 0; i < 3; ++i) {
      if (row.values[i]) {
        qputenv(names[i], row.values[i]);
      } else {
        qunsetenv(names[i]);
      }
    }
    EXPECT_EQ(Q6::defaultRecordPath(), QLatin1String(row.path));
  }
  for (int i = 0; i < 3; ++i) {
    if (wasSet[i]) {
      qputenv(names[i], saved[i]);
    } else {
      qunsetenv(names[i]);
    }
  }
}

// What a record is made of, as its engine holds it: the file's bytes, or the tables and columns of
// the server's database and the schema's version.
QByteArray snapshotOf(RecordEngine engine, const QString& location) {
  if (engine == RecordEngine::Sqlite) {
    return fileBytes(location);
  }
  return (Q6Test::askRecordDatabase(
              engine, location,
              QStringLiteral("SELECT string_agg(c.relname || '.' || a.attname || ':' || "
                             "format_type(a.atttypid, a.atttypmod), ',' ORDER BY c.relname, "
                             "a.attnum) FROM pg_class c JOIN pg_attribute a ON a.attrelid = c.oid "
                             "WHERE c.relnamespace = 'public'::regnamespace AND a.attnum > 0")) +
          u'|' +
          Q6Test::askRecordDatabase(
              engine, location,
              QStringLiteral("SELECT string_agg(version::text, ',') FROM q6config_schema")))
      .toUtf8();
}

// Records this program did not write, or wrote in a later version, are refused and left as they
// were, byte for byte or table for table; a record of its own keeps every field of every entry
// from one run to the next.
TEST(PrinterRecordSchema, OnlyItsOwnRecordIsOpenedAndKeptAcrossRuns) {
  const auto sqlite = RecordEngine::Sqlite;
  const auto postgres = RecordEngine::Postgres;
  const struct {
    RecordEngine engine;
    const char* name;
    const char* sql;
    const char* reason;
  } strangers[] = {
      {sqlite, "a newer record",
       "CREATE TABLE entries (id INTEGER PRIMARY KEY, later TEXT); "
       "PRAGMA user_version=2;",
       "newer q6config (record version 2"},
      {sqlite, "another program's database", "CREATE TABLE orders (id INTEGER PRIMARY KEY);",
       "not a printer record"},
      {sqlite, "a record without its entries", "CREATE TABLE orders (id); PRAGMA user_version=1;",
       "damaged (no such table: entries)"},
      {sqlite, "a record missing a column",
       "CREATE TABLE entries (id INTEGER PRIMARY KEY, time TEXT); PRAGMA user_version=1;",
       "damaged (no such column"},
      {postgres, "a newer record",
       "CREATE TABLE q6config_schema (version integer NOT NULL); "
       "INSERT INTO q6config_schema VALUES (3); "
       "CREATE TABLE q6config_entries (id bigint PRIMARY KEY, later text);",
       "newer q6config (record version 3"},
      {postgres, "a record without its entries",
       "CREATE TABLE q6config_schema (version integer NOT NULL); "
       "INSERT INTO q6config_schema VALUES (1); "
       "CREATE TABLE q6config_holds (printer text, holder text, since timestamptz);",
       "damaged (relation \"q6config_entries\" does not exist)"},
      {postgres, "a record missing a column",
       "CREATE TABLE q6config_schema (version integer NOT NULL); "
       "INSERT INTO q6config_schema VALUES (1); "
       "CREATE TABLE q6config_entries (id bigint PRIMARY KEY, \"time\" timestamptz);",
       "damaged (column e.user does not exist)"},
      // The first step is taken back whole when a part of it fails: no version table is left.
      {postgres, "entries of another program's, without a version",
       "CREATE TABLE q6config_entries (id bigint PRIMARY KEY);",
       "be brought up to date: relation \"q6config_entries\" already exists"},
  };
  QString leftOut;
  const std::vector<RecordEngine> engines = Q6Test::recordEngines(&leftOut);
  for (const auto& stranger : strangers) {
    if (std::find(engines.begin(), engines.end(), stranger.engine) == engines.end()) {
      continue;
    }
    SCOPED_TRACE(std::string(Q6Test::engineName(stranger.engine)) + ": " + stranger.name);
    QTemporaryDir dir;
    const QString path = Q6Test::newRecordLocation(stranger.engine, dir);
    if (stranger.engine == sqlite) {
      sqlite3* db = nullptr;
      ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
      ASSERT_EQ(sqlite3_exec(db, stranger.sql, nullptr, nullptr, nullptr), SQLITE_OK);
      sqlite3_close(db);
    } else {
      const QString made =
          Q6Test::askRecordDatabase(stranger.engine, path, QString::fromUtf8(stranger.sql));
      ASSERT_FALSE(made.startsWith(QLatin1String("ERROR"))) << made.toStdString();
    }
    const QByteArray before = snapshotOf(stranger.engine, path);
    auto record = PrinterRecord::open(path);
    ASSERT_FALSE(record.ok());
    EXPECT_TRUE(record.error().contains(path)) << record.error().toStdString();
    EXPECT_TRUE(record.error().contains(QLatin1String(stranger.reason)))
        << record.error().toStdString();
    EXPECT_FALSE(record.refusal().unreachable);
    EXPECT_EQ(snapshotOf(stranger.engine, path), before);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral("-wal")));
  }

  for (const RecordEngine engine : engines) {
    SCOPED_TRACE(Q6Test::engineName(engine));
    QTemporaryDir dir;
    const QString path = engine == sqlite ? dir.filePath(QStringLiteral("a/b/record.sqlite3"))
                                          : Q6Test::newRecordLocation(engine, dir);
    const auto ask = [&](const QString& sql) {
      return Q6Test::askRecordDatabase(engine, path, sql);
    };
    RecordEntry first = entryFor(QStringLiteral("file:/var/spool/till.prn"), RecordEffect::Settings,
                                 {QStringLiteral("density=3"), QStringLiteral("cutter=Full Cut")});
    RecordEntry second =
        entryFor(QStringLiteral("file:/var/spool/till.prn"), RecordEffect::Reset, {}, 7);
    {
      auto record = openRecord(path);
      ASSERT_TRUE(record);
      auto ids = record->begin({first, second});
      ASSERT_TRUE(ids.ok()) << ids.error().toStdString();
      ASSERT_EQ(ids->size(), 2u);
      first.id = ids->at(0);
      second.id = ids->at(1);
      ASSERT_TRUE(record->complete({{first.id, RecordOutcome::Failed, 4, "Broken pipe"}}).ok());
      // A completion for no pending entry changes nothing, not even the others of its batch.
      EXPECT_FALSE(record
                       ->complete({{second.id, RecordOutcome::Delivered, 11, QString()},
                                   {first.id, RecordOutcome::Delivered, 11, QString()}})
                       .ok());
    }
    // The file stays as 1.8.0 made it; the server's entries have taken their uids.
    EXPECT_EQ(ask(engine == sqlite ? QStringLiteral("PRAGMA user_version")
                                   : QStringLiteral("SELECT version FROM q6config_schema")),
              engine == sqlite ? QStringLiteral("1") : QStringLiteral("2"));
    EXPECT_EQ(ask(QStringLiteral("SELECT effect || ' ' || outcome || ' ' || sha256 FROM %1 "
                                 "WHERE id = (SELECT min(id) FROM %1)")
                      .arg(Q6Test::entriesTable(engine))),
              QStringLiteral("settings failed "
                             "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"));
    auto record = openRecord(path);
    ASSERT_TRUE(record);
    auto history = record->history(first.printer, 0);
    ASSERT_TRUE(history.ok()) << history.error().toStdString();
    ASSERT_EQ(history->size(), 2u);
    const RecordEntry& newest = history->at(0);
    const RecordEntry& oldest = history->at(1);
    EXPECT_EQ(newest.id, second.id);
    EXPECT_EQ(newest.outcome, RecordOutcome::Pending);
    EXPECT_TRUE(newest.completed.isNull());
    EXPECT_EQ(newest.time, second.time);
    EXPECT_EQ(oldest.id, first.id);
    EXPECT_EQ(oldest.time, first.time);
    EXPECT_EQ(oldest.user, first.user);
    EXPECT_EQ(oldest.host, first.host);
    EXPECT_EQ(oldest.program, first.program);
    EXPECT_EQ(oldest.printer, first.printer);
    EXPECT_EQ(oldest.model, first.model);
    EXPECT_EQ(oldest.action, first.action);
    EXPECT_EQ(oldest.effect, RecordEffect::Settings);
    EXPECT_EQ(oldest.settings, first.settings);
    EXPECT_EQ(oldest.bytes, first.bytes);
    EXPECT_EQ(oldest.sha256, first.sha256);
    EXPECT_EQ(oldest.outcome, RecordOutcome::Failed);
    EXPECT_EQ(oldest.sent, 4);
    EXPECT_EQ(oldest.reason, QStringLiteral("Broken pipe"));
    EXPECT_FALSE(oldest.completed.isNull());
    auto one = record->history(first.printer, 1);
    ASSERT_TRUE(one.ok());
    ASSERT_EQ(one->size(), 1u);
    EXPECT_EQ(one->front().id, second.id);
  }
  if (!leftOut.isEmpty()) {
    GTEST_SKIP() << "rows left out: " << leftOut.toStdString();
  }
}

}  // namespace
