// Many machines on one record: their entries all there, each once, each with its maker; one
// machine at a time per printer, told who has it, and a holder that died lets it go. Each table
// runs against a file and a server's database (the tests' own, record_engines.h).
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <csignal>
#include <future>
#include <memory>
#include <vector>

#include "core/record/printer_record.h"
#include "support/record_engines.h"

namespace {

using Q6::PrinterRecord;
using Q6::RecordOutcome;
using Q6Test::RecordEngine;

// Starts the test helper; it dies with the test.
std::unique_ptr<QProcess> startHelper(const QStringList& arguments) {
  auto helper = std::make_unique<QProcess>();
  helper->start(QStringLiteral(Q6CONFIG_TEST_HELPER_PATH), arguments);
  return helper;
}

// Waits for the helper to say `line`; generous, for a loaded machine.
bool heard(QProcess& helper, const QByteArray& line) {
  QByteArray said;
  while (!said.contains(line + '\n') && helper.waitForReadyRead(60000)) {
    said += helper.readAllStandardOutput();
  }
  return said.contains(line + '\n');
}

// Four machines, each its own user@host, write 2,500 entries each into one record at the same
// moment, over the same fifty printers: every entry is there once, delivered, with its maker.
TEST(PrinterRecordMachines, FourMachinesWritingAtOnceLoseNothing) {
  constexpr int kMachines = 4;
  constexpr int kEach = 2500;
  constexpr int kPrinters = 50;
  QString leftOut;
  for (const RecordEngine engine : Q6Test::recordEngines(&leftOut)) {
    SCOPED_TRACE(Q6Test::engineName(engine));
    QTemporaryDir dir;
    const QString location = Q6Test::newRecordLocation(engine, dir);
    // Not made yet: the machines make it at once, one of them the schema under its lock, and the
    // others find it made.
    std::vector<std::unique_ptr<QProcess>> machines;
    for (int m = 0; m < kMachines; ++m) {
      machines.push_back(
          startHelper({QStringLiteral("record-machine"), location, QStringLiteral("user%1").arg(m),
                       QStringLiteral("till-%1").arg(m), QString::number(kEach)}));
    }
    // All have written their first hundred before any goes on: the rest they write at once.
    for (const auto& machine : machines) {
      ASSERT_TRUE(heard(*machine, "writing")) << machine->readAllStandardError().toStdString();
    }
    for (const auto& machine : machines) {
      machine->write("go\n");
    }
    for (const auto& machine : machines) {
      ASSERT_TRUE(machine->waitForFinished(240000));
      EXPECT_EQ(machine->exitCode(), 0) << machine->readAllStandardError().toStdString();
    }

    auto record = PrinterRecord::open(location, Q6::RecordAccess::Read);
    ASSERT_TRUE(record.ok()) << record.error().toStdString();
    QSet<QString> seen;
    QSet<qint64> ids;
    int entries = 0;
    for (int p = 0; p < kPrinters; ++p) {
      const QString printer = QStringLiteral("tcp://10.9.0.%1:9100").arg(p);
      auto history = (*record)->history(printer, 0);
      ASSERT_TRUE(history.ok()) << history.error().toStdString();
      for (const Q6::RecordEntry& e : *history) {
        ++entries;
        ids.insert(e.id);
        const QString machine = e.user.mid(4);
        EXPECT_EQ(e.host, QStringLiteral("till-") + machine) << e.user.toStdString();
        EXPECT_EQ(e.outcome, RecordOutcome::Delivered);
        ASSERT_EQ(e.settings.size(), 1);
        const int round = e.settings.front().mid(6).toInt();
        EXPECT_EQ(round % kPrinters, p) << e.settings.front().toStdString();
        seen.insert(e.user + u'/' + e.settings.front());
      }
    }
    EXPECT_EQ(entries, kMachines * kEach);
    EXPECT_EQ(ids.size(), kMachines * kEach);
    EXPECT_EQ(seen.size(), kMachines * kEach);
    for (int m = 0; m < kMachines; ++m) {
      for (const int round : {0, 99, 100, 1234, kEach - 1}) {
        EXPECT_TRUE(seen.contains(QStringLiteral("user%1/round=%2").arg(m).arg(round)))
            << m << " " << round;
      }
    }
  }
  if (!leftOut.isEmpty()) {
    GTEST_SKIP() << "rows left out: " << leftOut.toStdString();
  }
}

// A printer held by one machine is refused to another, who is told who has it, until the holder
// lets it go, closes its record, or is killed; then the other has it within the stated time. A
// file's record is one machine's: it grants every printer at once.
TEST(PrinterRecordHolds, OneMachineAtATimePerPrinter) {
  enum class End { LetGo, Closed, Killed };
  const struct {
    End end;
    const char* name;
  } ends[] = {{End::LetGo, "the holder lets it go"},
              {End::Closed, "the holder closes its record"},
              {End::Killed, "the holder is killed (kill -9)"}};
  const QString printer = QStringLiteral("tcp://10.0.0.7:9100");
  const QString other = QStringLiteral("queue:kitchen");
  QString leftOut;
  for (const RecordEngine engine : Q6Test::recordEngines(&leftOut)) {
    const bool shared = engine == RecordEngine::Postgres;
    for (const auto& end : ends) {
      SCOPED_TRACE(std::string(Q6Test::engineName(engine)) + ": " + end.name);
      QTemporaryDir dir;
      const QString location = Q6Test::newRecordLocation(engine, dir);
      auto opened = PrinterRecord::open(location);
      ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
      PrinterRecord& record = **opened;
      const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
      auto holder = startHelper(
          {QStringLiteral("record-hold-printer"), location, printer, QStringLiteral("ana@till-3")});
      ASSERT_TRUE(heard(*holder, "held")) << holder->readAllStandardError().toStdString();

      auto first = record.hold({printer, other}, QStringLiteral("bo@till-9"), 300);
      ASSERT_TRUE(first.ok()) << first.error().toStdString();
      ASSERT_EQ(first->size(), 2u);
      EXPECT_EQ(first->at(0).printer, printer);
      EXPECT_EQ(first->at(0).held, !shared);
      EXPECT_TRUE(first->at(1).held);
      if (shared) {
        EXPECT_EQ(first->at(0).holder, QStringLiteral("ana@till-3"));
        EXPECT_GE(first->at(0).since, before);
        EXPECT_TRUE(first->at(0).busy().startsWith(
            QStringLiteral("busy: being set up by ana@till-3 since %1")
                .arg(first->at(0).since.toString(Qt::ISODate))))
            << first->at(0).busy().toStdString();
      } else {
        ASSERT_TRUE(record.release({printer}).ok());
      }

      // Already waiting when the holder ends, for longer than a dead holder can keep it.
      auto waiting = std::async(std::launch::async, [&] {
        return record.hold({printer}, QStringLiteral("bo@till-9"), Q6::kHolderGoneWithinMs + 30000);
      });
      QElapsedTimer sinceEnd;
      sinceEnd.start();
      switch (end.end) {
        case End::LetGo:
          holder->write("release\n");
          EXPECT_TRUE(heard(*holder, "released"));
          break;
        case End::Closed:
          holder->write("close\n");
          EXPECT_TRUE(holder->waitForFinished(60000));
          break;
        case End::Killed:
          ::kill(static_cast<pid_t>(holder->processId()), SIGKILL);
          EXPECT_TRUE(holder->waitForFinished(60000));
          break;
      }
      auto again = waiting.get();
      ASSERT_TRUE(again.ok()) << again.error().toStdString();
      ASSERT_EQ(again->size(), 1u);
      EXPECT_TRUE(again->front().held) << again->front().busy().toStdString();
      EXPECT_LT(sinceEnd.elapsed(), Q6::kHolderGoneWithinMs);
      // Another caller of the same record waits like any other machine.
      auto same = record.hold({printer}, QStringLiteral("cy@till-9"), 100);
      ASSERT_TRUE(same.ok()) << same.error().toStdString();
      EXPECT_EQ(same->front().held, !shared);
      if (shared) {
        EXPECT_EQ(same->front().holder, QStringLiteral("bo@till-9"));
      }
      EXPECT_TRUE(record.release({printer, other}).ok());
      if (holder->state() != QProcess::NotRunning) {
        holder->kill();
        holder->waitForFinished(30000);
      }
    }
  }
  if (!leftOut.isEmpty()) {
    GTEST_SKIP() << "rows left out: " << leftOut.toStdString();
  }
}

}  // namespace
