// q6config-cli and the record of what each printer was sent: --changes-only sends only what the
// record does not know a printer holds, --check and --diff say what would change, history and
// state read it back, a record that cannot be written never stops a delivery, and a run killed at
// any moment leaves the record whole and never claims what was not delivered.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <thread>
#include <vector>

#include "cli/fleet.h"
#include "cli/targets.h"
#include "core/record/printer_record.h"
#include "support/core_support.h"
#include "support/postgres_server.h"
#include "support/record_engines.h"

namespace {

using Q6Test::hex;

// comFF "Partial Cut" (clear 0 0008, set 0 0004) and comCPage "1252 (Windows Latin-1)" (clear 3
// FF00, set 3 2000), then the write command.
#define PARTIAL_CUT_HEX "1B 1D 23 2D 30 30 30 30 38 0A 00 1B 1D 23 2B 30 30 30 30 34 0A 00 "
#define CODE_PAGE_1252_HEX "1B 1D 23 2D 33 46 46 30 30 0A 00 1B 1D 23 2B 33 32 30 30 30 0A 00 "
// comFF "Full Cut": set 0 000C.
#define FULL_CUT_HEX "1B 1D 23 2B 30 30 30 30 43 0A 00 "
#define RESET_HEX "1B 1D 23 40 30 30 30 30 30 0A 00 "

const QStringList kApply{"apply",         "--model", "QLX600", "--set", "form-feed=partial-cut",
                         "code-page=1252"};
const QStringList kApplyFullCut{"apply",         "--model", "QLX600", "--set", "form-feed=full-cut",
                                "code-page=1252"};

struct RunResult {
  int code = -1;
  QString out;
  QString err;
};

class RecordCli : public ::testing::Test {
 protected:
  RunResult cli(const QStringList& args, const QString& record = QString()) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("Q6CONFIG_RECORD", record.isEmpty() ? recordPath() : record);
    p.setProcessEnvironment(env);
    p.start(Q6CONFIG_CLI_PATH, args);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
  }
  QString path(const char* name) const { return dir.filePath(name); }
  QString recordPath() const { return dir.filePath("state/record.sqlite3"); }
  QString printer() const { return "file:" + path("printer.bin"); }
  QByteArray bytes(const QString& file) const {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  QTemporaryDir dir;
};

// One run of a scenario: what the printer gets from it and what the run says.
struct Step {
  QStringList args;  // --to PRINTER is added
  const char* hex;   // the bytes this run sends
  QStringList says;  // lines of standard output, "{to}" the printer
};

struct ScenarioRow {
  const char* name;
  std::vector<Step> steps;
};

void PrintTo(const ScenarioRow& r, std::ostream* os) {
  *os << r.name;
}

class RecordRun : public RecordCli, public ::testing::WithParamInterface<ScenarioRow> {};

// Each scenario on a record file and on a record shared on a PostgreSQL server.
TEST_P(RecordRun, SendsWhatTheRecordDoesNotKnow) {
  QString leftOut;
  for (const Q6Test::RecordEngine engine : Q6Test::recordEngines(&leftOut)) {
    SCOPED_TRACE(Q6Test::engineName(engine));
    const QString record = Q6Test::newRecordLocation(engine, dir);
    ASSERT_FALSE(record.isEmpty());
    QFile::remove(path("printer.bin"));
    QByteArray expected;
    int n = 0;
    for (const Step& step : GetParam().steps) {
      SCOPED_TRACE(::testing::Message()
                   << "run " << ++n << ": " << step.args.join(' ').toStdString());
      const RunResult run = cli(step.args + QStringList{"--to", printer()}, record);
      EXPECT_EQ(run.code, 0) << run.err.toStdString();
      expected += hex(step.hex);
      EXPECT_EQ(bytes(path("printer.bin")), expected);
      const QStringList lines = run.out.split(u'\n');
      for (QString line : step.says) {
        line.replace("{to}", printer());
        EXPECT_TRUE(lines.contains(line)) << line.toStdString() << "\n in:\n"
                                          << run.out.toStdString();
      }
      EXPECT_FALSE(run.err.contains("warning")) << run.err.toStdString();
    }
  }
  if (!leftOut.isEmpty()) {
    GTEST_SKIP() << leftOut.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, RecordRun,
    ::testing::Values(
        ScenarioRow{"ChangesOnlyTwiceThenOneChange",
                    {{kApply + QStringList{"--changes-only"},
                      PARTIAL_CUT_HEX CODE_PAGE_1252_HEX Q6TEST_WRITE_FRAME_HEX,
                      {}},
                     {kApply + QStringList{"--changes-only"}, "", {"unchanged {to}"}},
                     {kApplyFullCut + QStringList{"--changes-only"},
                      FULL_CUT_HEX Q6TEST_WRITE_FRAME_HEX,
                      {}},
                     {kApply + QStringList{"--check", "--diff"},
                      "",
                      {"would change {to}: form-feed", "  form-feed: full-cut → partial-cut"}},
                     {kApplyFullCut + QStringList{"--check"}, "", {"unchanged {to}"}}}},
        ScenarioRow{"ForceAndPlainApplySendEverything",
                    {{kApply + QStringList{"--changes-only"},
                      PARTIAL_CUT_HEX CODE_PAGE_1252_HEX Q6TEST_WRITE_FRAME_HEX,
                      {}},
                     {kApply + QStringList{"--changes-only", "--force"},
                      PARTIAL_CUT_HEX CODE_PAGE_1252_HEX Q6TEST_WRITE_FRAME_HEX,
                      {}},
                     {kApply, PARTIAL_CUT_HEX CODE_PAGE_1252_HEX Q6TEST_WRITE_FRAME_HEX, {}},
                     {kApply + QStringList{"--changes-only"}, "", {"unchanged {to}"}}}},
        ScenarioRow{"ResetLeavesTheFactorysValues",
                    {{kApply + QStringList{"--changes-only"},
                      PARTIAL_CUT_HEX CODE_PAGE_1252_HEX Q6TEST_WRITE_FRAME_HEX,
                      {}},
                     {{"reset", "--yes"}, RESET_HEX Q6TEST_WRITE_FRAME_HEX, {}},
                     {kApply + QStringList{"--changes-only", "--diff"},
                      PARTIAL_CUT_HEX CODE_PAGE_1252_HEX Q6TEST_WRITE_FRAME_HEX,
                      {"changing {to}: form-feed, code-page", "  form-feed: factory → partial-cut",
                       "  code-page: factory → 1252-windows-latin-1"}}}},
        ScenarioRow{"TestsChangeNothingTheRecordKnows",
                    {{kApply, PARTIAL_CUT_HEX CODE_PAGE_1252_HEX Q6TEST_WRITE_FRAME_HEX, {}},
                     {{"test", "line-feed"}, "0D 0A", {}},
                     {kApply + QStringList{"--changes-only"}, "", {"unchanged {to}"}}}},
        ScenarioRow{"NoRecordKeepsNothing",
                    {{kApply + QStringList{"--no-record"},
                      PARTIAL_CUT_HEX CODE_PAGE_1252_HEX Q6TEST_WRITE_FRAME_HEX,
                      {}},
                     {kApply + QStringList{"--changes-only"},
                      PARTIAL_CUT_HEX CODE_PAGE_1252_HEX Q6TEST_WRITE_FRAME_HEX,
                      {}}}}),
    [](const auto& info) { return std::string(info.param.name); });

// The report says per target whether it changed and what each setting was and became; a target
// the record says holds it all is "unchanged" and opened nothing.
TEST_F(RecordCli, ReportSaysWhatChangedFromWhat) {
  Q6Test::TcpSink network;
  const QString tcp = QStringLiteral("tcp://127.0.0.1:%1").arg(network.port());
  ASSERT_EQ(cli(QStringList{"apply", "--model", "QLX600", "--set", "form-feed=partial-cut", "--to",
                            printer()})
                .code,
            0);
  for (bool check : {true, false}) {
    SCOPED_TRACE(check ? "--check" : "--changes-only");
    const QByteArray before = bytes(path("printer.bin"));
    const RunResult run = cli(kApply + QStringList{check ? "--check" : "--changes-only", "--json",
                                                   "-", "--to", printer(), tcp});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    const QJsonObject report = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(report["record"].toString(), recordPath());
    EXPECT_FALSE(report.contains("record_error"));
    EXPECT_TRUE(report["notes"].isArray());
    EXPECT_TRUE(report["notes"].toArray().isEmpty());
    const QJsonArray targets = report["targets"].toArray();
    ASSERT_EQ(targets.size(), 2) << run.out.toStdString();
    const QJsonObject file = targets[0].toObject();
    const QJsonObject net = targets[1].toObject();
    // Only the code page is new to the file printer; the network printer is not known at all.
    EXPECT_EQ(file["target"].toString(), printer());
    EXPECT_EQ(file["status"].toString(), check ? "would change" : "ok");
    EXPECT_TRUE(file["changed"].toBool());
    EXPECT_EQ(QJsonDocument(file["diff"].toArray()).toJson(QJsonDocument::Compact),
              "[{\"after\":\"1252-windows-latin-1\",\"before\":\"unknown\",\"setting\":\"code-"
              "page\"}]");
    EXPECT_EQ(net["status"].toString(), check ? "would change" : "ok");
    EXPECT_EQ(QJsonDocument(net["diff"].toArray()).toJson(QJsonDocument::Compact),
              "[{\"after\":\"partial-cut\",\"before\":\"unknown\",\"setting\":\"form-feed\"},"
              "{\"after\":\"1252-windows-latin-1\",\"before\":\"unknown\",\"setting\":\"code-"
              "page\"}]");
    EXPECT_EQ(bytes(path("printer.bin")),
              before + (check ? QByteArray() : hex(CODE_PAGE_1252_HEX Q6TEST_WRITE_FRAME_HEX)));
    EXPECT_EQ(file["bytes"].toInt(), 22 + 11);
    EXPECT_TRUE(file.contains("ms"));
  }
  EXPECT_EQ(network.received(1), hex(PARTIAL_CUT_HEX CODE_PAGE_1252_HEX Q6TEST_WRITE_FRAME_HEX));
  // Both now hold it all: nothing is opened, both are unchanged.
  const RunResult again =
      cli(kApply + QStringList{"--changes-only", "--json", "-", "--to", printer(), tcp});
  EXPECT_EQ(again.code, 0) << again.err.toStdString();
  const QJsonObject report = QJsonDocument::fromJson(again.out.toUtf8()).object();
  EXPECT_EQ(report["unchanged"].toInt(), 2);
  EXPECT_EQ(report["exit_code"].toInt(), 0);
  for (const QJsonValue& t : report["targets"].toArray()) {
    EXPECT_EQ(t.toObject()["status"].toString(), "unchanged");
    EXPECT_FALSE(t.toObject()["changed"].toBool());
    EXPECT_TRUE(t.toObject()["diff"].toArray().isEmpty());
  }
  EXPECT_EQ(network.connectionCount(), 1);
}

TEST_F(RecordCli, HistoryAndStateReadTheRecord) {
  ASSERT_EQ(cli(kApply + QStringList{"--to", printer()}).code, 0);
  ASSERT_EQ(cli(QStringList{"test", "line-feed", "--to", printer()}).code, 0);
  const RunResult history = cli({"history", "--to", printer()});
  EXPECT_EQ(history.code, 0) << history.err.toStdString();
  const QStringList lines = history.out.split(u'\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3) << history.out.toStdString();
  EXPECT_EQ(lines[0], printer());
  // Newest first.
  EXPECT_TRUE(lines[1].contains("  delivered  test line-feed  2 bytes  "))
      << lines[1].toStdString();
  EXPECT_TRUE(
      lines[2].contains("  delivered  apply  form-feed=partial-cut "
                        "code-page=1252-windows-latin-1  55 bytes  "))
      << lines[2].toStdString();
  const RunResult limited = cli({"history", "--limit", "1", "--json", "-", "--to", printer()});
  const QJsonArray entries = QJsonDocument::fromJson(limited.out.toUtf8())
                                 .object()["printers"]
                                 .toArray()[0]
                                 .toObject()["entries"]
                                 .toArray();
  ASSERT_EQ(entries.size(), 1) << limited.out.toStdString();
  EXPECT_EQ(entries[0].toObject()["action"].toString(), "test line-feed");
  EXPECT_EQ(entries[0].toObject()["sha256"].toString(),
            // SHA-256 of 0D 0A
            "7eb70257593da06f682a3ddda54a9d260d4fc514f645237f5ca74b08f8da61a6");

  const RunResult state = cli({"state", "--to", printer()});
  EXPECT_EQ(state.code, 0) << state.err.toStdString();
  const QStringList rows = state.out.split(u'\n', Qt::SkipEmptyParts);
  EXPECT_EQ(rows.value(0), printer() + " (QLX600)");
  EXPECT_TRUE(
      rows.filter(QRegularExpression("^  form-feed +partial-cut  since 20\\d\\d-")).size() == 1)
      << state.out.toStdString();
  EXPECT_EQ(rows.filter(QRegularExpression("^  char-set +unknown$")).size(), 1)
      << state.out.toStdString();
  // The QLX600 has no contextual cut.
  EXPECT_TRUE(rows.filter("context-cut").isEmpty()) << state.out.toStdString();

  // A printer that never answered got nothing: the entry says so and nothing is known of it.
  const Q6Test::ClosedPort closed;
  const QString refused = QStringLiteral("tcp://127.0.0.1:%1").arg(closed.port());
  EXPECT_EQ(cli(kApply + QStringList{"--changes-only", "--to", refused}).code, 1);
  const RunResult failed = cli({"history", "--to", refused});
  EXPECT_TRUE(
      failed.out.contains("  not-sent  apply  form-feed=partial-cut "
                          "code-page=1252-windows-latin-1  55 bytes  "))
      << failed.out.toStdString();
  const RunResult unknown = cli({"state", "--to", refused});
  EXPECT_EQ(unknown.out.split(u'\n').filter(QRegularExpression("^  form-feed +unknown$")).size(), 1)
      << unknown.out.toStdString();
  const RunResult check = cli(kApply + QStringList{"--check", "--to", refused});
  EXPECT_TRUE(check.out.contains("would change " + refused + ": form-feed, code-page"))
      << check.out.toStdString();
}

// A look at a record that does not exist says so and creates nothing.
TEST_F(RecordCli, HistoryOfNoRecordCreatesNone) {
  const QString missing = path("none/record.sqlite3");
  for (const char* command : {"history", "state"}) {
    const RunResult plain = cli({command, "--to", printer()}, missing);
    EXPECT_EQ(plain.code, 0) << plain.err.toStdString();
    EXPECT_TRUE(plain.out.isEmpty()) << plain.out.toStdString();
    EXPECT_TRUE(plain.err.contains("there is no record yet at " + missing))
        << plain.err.toStdString();
    const RunResult json = cli({command, "--json", "-", "--to", printer()}, missing);
    EXPECT_EQ(json.code, 0);
    EXPECT_TRUE(QJsonDocument::fromJson(json.out.toUtf8()).object()["printers"].toArray().isEmpty())
        << json.out.toStdString();
    const RunResult check = cli(kApply + QStringList{"--check", "--to", printer()}, missing);
    EXPECT_EQ(check.code, 0);
    EXPECT_TRUE(check.out.contains("would change " + printer())) << check.out.toStdString();
  }
  EXPECT_FALSE(QFileInfo::exists(path("none")));
  EXPECT_FALSE(QFileInfo::exists(path("printer.bin")));
}

// A record shared on a server gives each printer to one program at a time: while one sends to it,
// another that wants it waits its time limit and then sends nothing, told who has the printer, and
// its entry says it was not sent.
TEST_F(RecordCli, OneProgramAtATimePerPrinter) {
  QString leftOut;
  const std::vector<Q6Test::RecordEngine> engines = Q6Test::recordEngines(&leftOut);
  if (engines.back() != Q6Test::RecordEngine::Postgres) {
    GTEST_SKIP() << leftOut.toStdString();
  }
  const QString record = Q6Test::newRecordLocation(Q6Test::RecordEngine::Postgres, dir);
  ASSERT_FALSE(record.isEmpty());
  Q6Test::TcpSink holding(Q6Test::TcpSink::Mode::HoldOpen);
  const QString tcp = QStringLiteral("tcp://127.0.0.1:%1").arg(holding.port());
  QProcess first;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("Q6CONFIG_RECORD", record);
  first.setProcessEnvironment(env);
  first.start(Q6CONFIG_CLI_PATH, {"test", "line-feed", "--timeout", "4000", "--to", tcp});
  ASSERT_TRUE(first.waitForStarted(20000));
  // The first has the printer once its lock is on the server.
  const auto held = [&] {
    return Q6Test::askRecordDatabase(Q6Test::RecordEngine::Postgres, record,
                                     "SELECT count(*) FROM pg_locks WHERE locktype = 'advisory' "
                                     "AND granted");
  };
  for (int i = 0; i < 400 && held() == "0"; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_EQ(held(), "1");
  const RunResult second =
      cli({"test", "line-feed", "--timeout", "500", "--json", "-", "--to", tcp}, record);
  ASSERT_TRUE(first.waitForFinished(30000));
  EXPECT_EQ(second.code, 1) << second.err.toStdString();
  const QJsonObject report = QJsonDocument::fromJson(second.out.toUtf8()).object();
  const QJsonObject target = report["targets"].toArray().at(0).toObject();
  const QString holder = Q6::recordUser() + u'@' + Q6::recordHost();
  EXPECT_EQ(target["status"].toString(), "failed");
  EXPECT_TRUE(target["error"].toString().startsWith("busy: being set up by " + holder + " since "))
      << target["error"].toString().toStdString();
  EXPECT_EQ(target["bytes"].toInt(), 0);
  EXPECT_EQ(holding.connectionCount(), 1);
  auto opened = Q6::PrinterRecord::open(record, Q6::RecordAccess::Read);
  ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
  auto history = (*opened)->history(QStringLiteral("tcp://127.0.0.1:%1").arg(holding.port()), 0);
  ASSERT_TRUE(history.ok()) << history.error().toStdString();
  ASSERT_EQ(history->size(), 2u);
  EXPECT_EQ(history->at(0).outcome, Q6::RecordOutcome::NotSent);
  EXPECT_TRUE(history->at(0).reason.startsWith("busy: being set up by " + holder));
  EXPECT_EQ(history->at(1).outcome, Q6::RecordOutcome::Delivered);
}

// A record that cannot be written: every printer still gets its bytes, the exit status is 0, one
// warning names the file, the report says why, and the file is left as it was. With
// --changes-only, whose point is a true record, no printer is sent anything it cannot record: each
// fails with the reason, and the record still says what the printers hold.
enum class Fault { NotADatabase, Locked, ReadOnlyFolder, FullDisk };

struct FaultRow {
  const char* name;
  Fault fault;
  bool changesOnly;
};

void PrintTo(const FaultRow& r, std::ostream* os) {
  *os << r.name;
}

class RecordFault : public RecordCli, public ::testing::WithParamInterface<FaultRow> {};

TEST_P(RecordFault, NeverStopsADelivery) {
  const FaultRow& row = GetParam();
  ASSERT_TRUE(QDir().mkpath(path("state")));
  std::optional<Q6Test::PrivateTmpfs> disk;
  QProcess holder;
  switch (row.fault) {
    case Fault::NotADatabase:
      ASSERT_TRUE(Q6Test::writeFile(recordPath(), QByteArray("not a record\n").repeated(400)));
      break;
    case Fault::Locked: {
      ASSERT_EQ(cli(QStringList{"test", "line-feed", "--to", "file:" + path("other.bin")}).code, 0);
      holder.start(QStringLiteral(Q6CONFIG_TEST_HELPER_PATH), {"record-hold", recordPath()});
      QByteArray said;
      while (!said.contains("held\n") && holder.waitForReadyRead(20000)) {
        said += holder.readAll();
      }
      ASSERT_TRUE(said.contains("held\n")) << said.toStdString();
      break;
    }
    case Fault::ReadOnlyFolder:
    case Fault::FullDisk:
      disk.emplace(path("state"));
      if (!disk->unavailable().isEmpty()) {
        GTEST_SKIP() << disk->unavailable().toStdString();
      }
      ASSERT_EQ(cli(QStringList{"test", "line-feed", "--to", "file:" + path("other.bin")}).code, 0);
      ASSERT_TRUE(row.fault == Fault::FullDisk ? disk->fill(0) : disk->makeReadOnly());
      break;
  }
  const QByteArray before = bytes(recordPath());
  Q6Test::TcpSink network;
  const QString tcp = QStringLiteral("tcp://127.0.0.1:%1").arg(network.port());
  const RunResult run = cli(kApply + QStringList{"--json", "-", "--to", printer(), tcp} +
                            (row.changesOnly ? QStringList{"--changes-only"} : QStringList{}));
  holder.kill();
  holder.waitForFinished(20000);
  const bool sent = !row.changesOnly;
  EXPECT_EQ(run.code, sent ? 0 : 1) << run.err.toStdString();
  const QByteArray all = hex(PARTIAL_CUT_HEX CODE_PAGE_1252_HEX Q6TEST_WRITE_FRAME_HEX);
  EXPECT_EQ(bytes(path("printer.bin")), sent ? all : QByteArray());
  EXPECT_EQ(network.received(sent ? 1 : 0, sent ? 5000 : 300), sent ? all : QByteArray());
  EXPECT_EQ(network.connectionCount(), sent ? 1 : 0);
  EXPECT_EQ(run.err.count("warning: the record at " + recordPath() + " could not be updated: "), 1)
      << run.err.toStdString();
  EXPECT_EQ(run.err.count("warning"), 1) << run.err.toStdString();
  const QJsonObject report = QJsonDocument::fromJson(run.out.toUtf8()).object();
  const QString why = report["record_error"].toString();
  EXPECT_FALSE(why.isEmpty()) << run.out.toStdString();
  EXPECT_EQ(report["exit_code"].toInt(), sent ? 0 : 1);
  for (const QJsonValue& t : report["targets"].toArray()) {
    EXPECT_EQ(t.toObject()["status"].toString(), sent ? "ok" : "failed");
    EXPECT_EQ(t.toObject()["error"].toString(),
              sent ? QString()
                   : "not sent: the record cannot be written: " + why +
                         "; run without --changes-only, or with --no-record, to send anyway");
  }
  EXPECT_EQ(bytes(recordPath()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RecordFault,
    ::testing::Values(FaultRow{"NotADatabase", Fault::NotADatabase, false},
                      FaultRow{"NotADatabaseChangesOnly", Fault::NotADatabase, true},
                      FaultRow{"LockedByAnotherProgram", Fault::Locked, false},
                      FaultRow{"ReadOnlyFolder", Fault::ReadOnlyFolder, false},
                      FaultRow{"ReadOnlyFolderChangesOnly", Fault::ReadOnlyFolder, true},
                      FaultRow{"FullDiskChangesOnly", Fault::FullDisk, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The record's entries are begun a stretch ahead of the targets: a target starts only once its
// stretch is released, and a stop leaves the unreleased ones unstarted.
TEST(ReleaseGate, TargetsStartOnlyOnceReleasedAndNeverAfterTheStop) {
  QTemporaryDir dir;
  std::vector<Q6Cli::Target> targets;
  const auto file = [&](int i) { return dir.filePath(QStringLiteral("p%1.bin").arg(i)); };
  for (int i = 0; i < 6; ++i) {
    QString error;
    const auto target = Q6Cli::parseTarget("file:" + file(i), 5000, false, &error);
    ASSERT_TRUE(target) << error.toStdString();
    targets.push_back(*target);
  }
  const auto written = [&] {
    int count = 0;
    while (count < 6 && QFileInfo::exists(file(count))) {
      ++count;
    }
    return count;
  };
  const auto waitFor = [&](int count) {
    for (int i = 0; i < 500 && written() < count; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return written();
  };
  std::atomic<int> stop{0};
  Q6Cli::FleetOptions options;
  options.jobs = 3;
  options.stop = &stop;
  options.gate = std::make_shared<Q6Cli::ReleaseGate>();
  options.gate->release(2);
  Q6Cli::FleetCommands commands{{{QByteArray::fromHex("1b40")}}, {}};
  Q6Cli::FleetRun run;
  std::thread fleet([&] { run = Q6Cli::runFleet(targets, commands, options, nullptr); });
  EXPECT_EQ(waitFor(2), 2);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(written(), 2);  // the third waits for its release
  options.gate->release(4);
  EXPECT_EQ(waitFor(4), 4);
  stop = SIGINT;
  fleet.join();
  EXPECT_EQ(written(), 4);
  ASSERT_EQ(run.results.size(), 6u);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(run.results[static_cast<size_t>(i)].outcome,
              i < 4 ? Q6Cli::Outcome::Delivered : Q6Cli::Outcome::NotStarted)
        << i;
  }
}

// Killed outright at a hundred moments of fleet runs to printers that take their time: the record
// is always a whole database, no setting is known from an entry that was not delivered, and no
// printer saw a connection before its entry was on disk.
TEST_F(RecordCli, KilledAtAnyMomentClaimsNothingUndelivered) {
  std::vector<std::unique_ptr<Q6Test::TcpSink>> printers;
  QStringList targets;
  for (int i = 0; i < 3; ++i) {
    printers.push_back(std::make_unique<Q6Test::TcpSink>(Q6Test::TcpSink::Mode::SlowToEnd));
    targets << QStringLiteral("tcp://127.0.0.1:%1").arg(printers.back()->port());
  }
  targets << "file:" + path("printer.bin");
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> moment(0, 450);
  int pendingSeen = 0;
  int knownSeen = 0;
  for (int round = 0; round < 100; ++round) {
    SCOPED_TRACE(::testing::Message() << "round " << round);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("Q6CONFIG_RECORD", recordPath());
    p.setProcessEnvironment(env);
    p.start(Q6CONFIG_CLI_PATH, (round % 2 ? kApply : kApplyFullCut) +
                                   QStringList{"--jobs", "2", "--timeout", "20000", "--to"} +
                                   targets);
    ASSERT_TRUE(p.waitForStarted(20000));
    QThread::msleep(static_cast<unsigned long>(moment(random)));
    ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
    ASSERT_TRUE(p.waitForFinished(20000));
    if (!QFileInfo::exists(recordPath())) {
      continue;  // killed before it was made
    }

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(recordPath()).constData(), &db,
                              SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    sqlite3_busy_timeout(db, 20000);
    sqlite3_stmt* check = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(check), SQLITE_ROW) << sqlite3_errmsg(db);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok");
    sqlite3_finalize(check);
    sqlite3_close(db);

    auto record = Q6::PrinterRecord::open(recordPath());
    ASSERT_TRUE(record.ok()) << record.error().toStdString();
    QStringList names;
    for (const QString& t : targets) {
      QString error;
      const std::optional<Q6Cli::Target> target = Q6Cli::parseTarget(t, 20000, false, &error);
      ASSERT_TRUE(target) << error.toStdString();
      names << Q6::recordPrinterName(target->settings);
    }
    const auto states = (*record)->states(names);
    ASSERT_TRUE(states.ok()) << states.error().toStdString();
    for (qsizetype i = 0; i < names.size(); ++i) {
      const auto history = (*record)->history(names[i], 0);
      ASSERT_TRUE(history.ok()) << history.error().toStdString();
      std::map<qint64, Q6::RecordOutcome> outcome;
      for (const Q6::RecordEntry& e : *history) {
        outcome[e.id] = e.outcome;
        pendingSeen += e.outcome == Q6::RecordOutcome::Pending ? 1 : 0;
      }
      // Written ahead: every connection a printer saw (this round's and earlier ones') came after
      // its entry was on disk.
      if (i < static_cast<qsizetype>(printers.size())) {
        EXPECT_LE(printers[static_cast<size_t>(i)]->connectionCount(),
                  static_cast<int>(history->size()))
            << names[i].toStdString();
      }
      const Q6::PrinterState& state = (*states)[static_cast<size_t>(i)];
      std::vector<Q6::SettingState> all{state.base};
      for (const auto& [name, s] : state.settings) {
        all.push_back(s);
      }
      for (const Q6::SettingState& s : all) {
        if (s.status == Q6::SettingStatus::Known) {
          ++knownSeen;
          ASSERT_TRUE(outcome.count(s.entry)) << names[i].toStdString() << " entry " << s.entry;
          EXPECT_EQ(outcome[s.entry], Q6::RecordOutcome::Delivered)
              << names[i].toStdString() << " entry " << s.entry;
        }
      }
    }
  }
  // The moments did fall both within runs and after whole deliveries.
  EXPECT_GT(pendingSeen, 0);
  EXPECT_GT(knownSeen, 0);
}

}  // namespace
