// q6config-cli as a script runs it: what reaches a receiver, the decoded dry run, the report, and
// refusals that open nothing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <vector>

#include "support/core_support.h"

namespace {

using Q6Test::hex;

struct CliRun {
  int code = -1;
  QString out;
  QString err;
};

class CliProgram : public ::testing::Test {
 protected:
  CliRun cli(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", dir.path());  // never the real home's stored link
    p.setProcessEnvironment(env);
    p.start(Q6CONFIG_CLI_PATH, args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
  }
  QString path(const char* name) const { return dir.filePath(name); }
  QByteArray bytes(const char* name) const {
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  QTemporaryDir dir;
};

struct SentRow {
  QStringList args;  // before --to
  const char* hex;   // everything the receiver gets
};

void PrintTo(const SentRow& r, std::ostream* os) {
  *os << r.args.join(' ').toStdString();
}

class Sends : public CliProgram, public ::testing::WithParamInterface<SentRow> {};

TEST_P(Sends, ExactlyTheseBytes) {
  const CliRun run = cli(GetParam().args + QStringList{"--to", "file:" + path("printer.bin")});
  EXPECT_EQ(run.code, 0) << run.err.toStdString();
  EXPECT_EQ(bytes("printer.bin"), hex(GetParam().hex));
  EXPECT_TRUE(run.out.startsWith("ok file:")) << run.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, Sends,
    ::testing::Values(
        SentRow{{"test", "line-feed"}, "0D 0A"}, SentRow{{"test", "form-feed"}, "0C"},
        SentRow{{"test", "feed-5cm"}, "1B 4A C8"}, SentRow{{"test", "full-cut"}, "1B 64 30"},
        SentRow{{"test", "partial-cut"}, "1B 64 31"},
        SentRow{{"test", "feed-full-cut"}, "1B 64 32"},
        SentRow{{"test", "feed-partial-cut"}, "1B 64 33"}, SentRow{{"test", "cash-drawer-1"}, "1C"},
        SentRow{{"test", "cash-drawer-2"}, "19"}, SentRow{{"test", "self-test"}, "1B 3F 0A 00"},
        SentRow{{"test", "ticket-test"},
                "20 20 20 20 20 51 6C 78 35 30 30 2F 36 30 30 20 54 69 63 6B 65 74 20 54 65 73 74 "
                "0D 0A 20 20 20 20 20 54 69 63 6B 65 74 20 31 1B 64 32 "
                "20 20 20 20 20 51 6C 78 35 30 30 2F 36 30 30 20 54 69 63 6B 65 74 20 54 65 73 74 "
                "0D 0A 20 20 20 20 20 54 69 63 6B 65 74 20 32 1B 64 32 "
                "20 20 20 20 20 51 6C 78 35 30 30 2F 36 30 30 20 54 69 63 6B 65 74 20 54 65 73 74 "
                "0D 0A 20 20 20 20 20 54 69 63 6B 65 74 20 33 1B 64 32"},
        SentRow{{"reset", "--yes"}, "1B 1D 23 40 30 30 30 30 30 0A 00 " Q6TEST_WRITE_FRAME_HEX},
        // comFF "Partial Cut" and comCPage "1252 (Windows Latin-1)".
        SentRow{{"apply", "--model", "QLX600", "--set", "form-feed=partial-cut", "code-page=1252"},
                "1B 1D 23 2D 30 30 30 30 38 0A 00 1B 1D 23 2B 30 30 30 30 34 0A 00 "
                "1B 1D 23 2D 33 46 46 30 30 0A 00 1B 1D 23 2B 33 32 30 30 30 0A "
                "00 " Q6TEST_WRITE_FRAME_HEX},
        // A preset of version 0 applies nothing; the write command still goes.
        SentRow{{"apply", "--model", "QLX500", "--preset", Q6CONFIG_TEST_DATA "/version0.pre"},
                Q6TEST_WRITE_FRAME_HEX}));

TEST_F(CliProgram, ShowDecodesTheWorkedPresetExample) {
  const CliRun run = cli(
      {"show", "apply", "--model", "QLX500", "--preset", Q6CONFIG_TEST_DATA "/worked_example.pre"});
  EXPECT_EQ(run.code, 0) << run.err.toStdString();
  QFile golden(Q6CONFIG_TEST_DATA "/show_worked_example.expected.txt");
  ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
  EXPECT_EQ(run.out, QString::fromUtf8(golden.readAll()));
  // --dry-run on the command itself prints the same and opens no target.
  const CliRun dry =
      cli({"apply", "--model", "QLX500", "--preset", Q6CONFIG_TEST_DATA "/worked_example.pre",
           "--dry-run", "--to", "file:" + path("printer.bin")});
  EXPECT_EQ(dry.code, 0);
  EXPECT_TRUE(dry.out.startsWith(run.out)) << dry.out.toStdString();
  EXPECT_FALSE(QFile::exists(path("printer.bin")));
}

TEST_F(CliProgram, ReportListsEveryTargetWithItsOutcome) {
  Q6Test::TcpSink printer;
  const int closed = Q6Test::closedPort();
  const QString tcp = QStringLiteral("tcp://127.0.0.1:%1").arg(printer.port());
  const QString refused = QStringLiteral("tcp://127.0.0.1:%1").arg(closed);
  const QString file = "file:" + path("printer.bin");
  const QString missing = "file:" + path("no/such/folder/printer.bin");
  const CliRun run = cli(
      {"test", "self-test", "--to", tcp, refused, file, missing, "--json", path("report.json")});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(printer.received(), hex("1B 3F 0A 00"));
  EXPECT_EQ(bytes("printer.bin"), hex("1B 3F 0A 00"));
  EXPECT_TRUE(run.out.contains(
      QRegularExpression("^ok " + QRegularExpression::escape(tcp) + "  4 bytes  \\d+ ms$",
                         QRegularExpression::MultilineOption)))
      << run.out.toStdString();
  EXPECT_TRUE(run.out.contains("FAILED " + refused + ": ")) << run.out.toStdString();
  EXPECT_TRUE(run.out.contains("FAILED " + missing + ": ")) << run.out.toStdString();

  QFile reportFile(path("report.json"));
  ASSERT_TRUE(reportFile.open(QIODevice::ReadOnly));
  const QJsonObject report = QJsonDocument::fromJson(reportFile.readAll()).object();
  EXPECT_EQ(report["delivered"].toInt(), 2);
  EXPECT_EQ(report["failed"].toInt(), 2);
  EXPECT_EQ(report["exit_code"].toInt(), 1);
  const QJsonArray targets = report["targets"].toArray();
  ASSERT_EQ(targets.size(), 4);
  const QStringList order{tcp, refused, file, missing};
  const QStringList status{"ok", "failed", "ok", "failed"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(targets[i].toObject()["target"].toString(), order[i]);
    EXPECT_EQ(targets[i].toObject()["status"].toString(), status[i]);
  }
  EXPECT_TRUE(targets[1].toObject()["error"].toString().contains("refused", Qt::CaseInsensitive));
}

TEST_F(CliProgram, StoredTargetIsTheWindowsLink) {
  QDir().mkpath(path("Q56Config"));
  ASSERT_TRUE(Q6Test::writeFile(
      path("Q56Config/Q56Config.ini"),
      "[Q56ConfigCOM]\nConnection=File\nPath=" + path("stored.bin").toUtf8() + "\n"));
  const CliRun run = cli({"test", "cash-drawer-2", "--to", "stored"});
  EXPECT_EQ(run.code, 0) << run.err.toStdString();
  EXPECT_EQ(bytes("stored.bin"), hex("19"));
}

// Every refusal: exit code 2, a message that names the fault, and nothing opened anywhere (the
// listener saw no connection, the file target was not created).
struct RefusalRow {
  const char* name;
  QStringList args;  // "{tcp}" and "{file}" become the two healthy targets
  const char* named;
};

void PrintTo(const RefusalRow& r, std::ostream* os) {
  *os << r.name;
}

class Refusals : public CliProgram, public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(Refusals, NothingIsOpened) {
  Q6Test::TcpSink printer;
  QStringList args;
  for (const QString& a : GetParam().args) {
    args << (a == "{tcp}"    ? QStringLiteral("tcp://127.0.0.1:%1").arg(printer.port())
             : a == "{file}" ? "file:" + path("printer.bin")
                             : a);
  }
  const CliRun run = cli(args);
  EXPECT_EQ(run.code, 2) << run.out.toStdString();
  EXPECT_TRUE(run.err.contains(QString::fromUtf8(GetParam().named))) << run.err.toStdString();
  EXPECT_EQ(run.out, QString());
  EXPECT_EQ(printer.received(1, 300), QByteArray());
  EXPECT_EQ(printer.connectionCount(), 0);
  EXPECT_FALSE(QFile::exists(path("printer.bin")));
}

const QStringList kTo{"--to", "{tcp}", "{file}"};

INSTANTIATE_TEST_SUITE_P(
    Input, Refusals,
    ::testing::Values(
        RefusalRow{"UnknownSetting",
                   QStringList{"apply", "--model", "QLX500", "--set", "feed=on"} + kTo, "\"feed\""},
        RefusalRow{"UnknownEntry",
                   QStringList{"apply", "--model", "QLX500", "--set", "form-feed=slice"} + kTo,
                   "\"slice\""},
        RefusalRow{"NotNameEqualsEntry",
                   QStringList{"apply", "--model", "QLX500", "--set", "form-feed"} + kTo,
                   "NAME=ENTRY"},
        RefusalRow{"OneGoodOneBadSetting",
                   QStringList{"apply", "--model", "QLX500", "--set", "form-feed=full-cut",
                               "density=darkest"} +
                       kTo,
                   "\"darkest\""},
        RefusalRow{
            "EntryNotOnThisModel",
            QStringList{"apply", "--model", "QLX600", "--set", "speed=optimum-density"} + kTo,
            "optimum-density"},
        RefusalRow{"SettingNotOnThisModel",
                   QStringList{"apply", "--model", "QLX600", "--set", "context-cut=disabled"} + kTo,
                   "context-cut"},
        RefusalRow{"CountAboveFifteen",
                   QStringList{"apply", "--model", "QLX500", "--set",
                               "context-cut=enabled-full-cut", "context-cut-feeds=16"} +
                       kTo,
                   "\"16\""},
        RefusalRow{"CutOffsetBeyondTheAdjuster",
                   QStringList{"apply", "--model", "QLX500", "--set", "cut-offset=32"} + kTo,
                   "\"32\""},
        RefusalRow{"UnknownModel",
                   QStringList{"apply", "--model", "QLX700", "--set", "form-feed=full-cut"} + kTo,
                   "QLX700"},
        RefusalRow{"NoModel", QStringList{"apply", "--set", "form-feed=full-cut"} + kTo, "--model"},
        RefusalRow{"NoChoices", QStringList{"apply", "--model", "QLX500"} + kTo, "--preset"},
        RefusalRow{"CorruptPreset",
                   QStringList{"apply", "--model", "QLX500", "--preset",
                               Q6CONFIG_TEST_DATA "/speed_value_4.pre"} +
                       kTo,
                   "Corrupt preset file"},
        RefusalRow{"SpeedThreeIsNotOnTheQLX600",
                   QStringList{"apply", "--model", "QLX600", "--preset",
                               Q6CONFIG_TEST_DATA "/speed_value_3.pre"} +
                       kTo,
                   "Corrupt preset file"},
        RefusalRow{"LaterVersionPreset",
                   QStringList{"apply", "--model", "QLX500", "--preset",
                               Q6CONFIG_TEST_DATA "/version4.pre"} +
                       kTo,
                   "This preset file is designed for a later version of the QLX600 Setup Utility!"},
        RefusalRow{
            "MissingPreset",
            QStringList{"apply", "--model", "QLX500", "--preset", "/nonexistent/x.pre"} + kTo,
            "/nonexistent/x.pre"},
        RefusalRow{
            "MalformedTargetAmongGoodOnes",
            QStringList{"test", "self-test", "--to", "{tcp}", "{file}", "tcp://127.0.0.1:70000"},
            "tcp://127.0.0.1:70000"},
        RefusalRow{"NotATarget",
                   QStringList{"test", "self-test", "--to", "{tcp}", "{file}", "printer7"},
                   "printer7"},
        RefusalRow{"SameTargetTwice",
                   QStringList{"test", "self-test", "--to", "{tcp}", "{file}", "{file}"}, "twice"},
        RefusalRow{"NothingStored",
                   QStringList{"test", "self-test", "--to", "{tcp}", "{file}", "stored"}, "stored"},
        RefusalRow{"ResetWithoutYes", QStringList{"reset"} + kTo, "--yes"},
        RefusalRow{"UnknownTest", QStringList{"test", "cut-twice"} + kTo, "cut-twice"},
        RefusalRow{"UnknownCommand", QStringList{"print"} + kTo, "print"},
        RefusalRow{"UnknownOption", QStringList{"test", "self-test", "--fast"} + kTo, "--fast"},
        RefusalRow{"JobsZero", QStringList{"test", "self-test", "--jobs", "0"} + kTo, "--jobs"},
        RefusalRow{"TimeoutNotANumber", QStringList{"test", "self-test", "--timeout", "soon"} + kTo,
                   "soon"},
        RefusalRow{"MissingTargetsFile",
                   QStringList{"test", "self-test", "--targets", "/nonexistent/t.txt"} + kTo,
                   "/nonexistent/t.txt"},
        RefusalRow{"NoTarget", QStringList{"test", "self-test"}, "--to"}),
    [](const auto& info) { return std::string(info.param.name); });

// Without an Avahi daemon or a print server, list-targets still lists what it finds (exit 0) and
// says in one line each which service could not be asked.
TEST_F(CliProgram, ListTargetsNamesEachMissingServiceInOneLine) {
  const int port = Q6Test::closedPort();
  const QByteArray oldBus = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
  const QByteArray oldServer = qgetenv("CUPS_SERVER");
  qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + QFile::encodeName(path("no-bus")));
  qputenv("CUPS_SERVER", QStringLiteral("127.0.0.1:%1").arg(port).toUtf8());
  const CliRun run = cli({"list-targets", "--timeout", "700"});
  qputenv("DBUS_SYSTEM_BUS_ADDRESS", oldBus);
  qputenv("CUPS_SERVER", oldServer);
  if (oldBus.isNull()) {
    qunsetenv("DBUS_SYSTEM_BUS_ADDRESS");
  }
  if (oldServer.isNull()) {
    qunsetenv("CUPS_SERVER");
  }
  EXPECT_EQ(run.code, 0) << run.err.toStdString();
  const QStringList lines = run.err.split(u'\n', Qt::SkipEmptyParts);
  EXPECT_EQ(lines
                .filter(QStringLiteral("q6config-cli: Network printers: the DNS-SD service "
                                       "(Avahi daemon) is not running."))
                .size(),
            1)
      << run.err.toStdString();
  EXPECT_EQ(lines
                .filter(QStringLiteral("q6config-cli: Printer queues: no print server at "
                                       "127.0.0.1:%1: ")
                            .arg(port))
                .size(),
            1)
      << run.err.toStdString();
  EXPECT_FALSE(run.out.contains(QStringLiteral("queue:")));
  EXPECT_FALSE(run.out.contains(QStringLiteral("tcp://")));
}

TEST_F(CliProgram, HelpListsEverySettingAndItsEntriesPerModel) {
  const CliRun run = cli({"--help"});
  EXPECT_EQ(run.code, 0);
  for (const char* line :
       {"      QLX600: no-change, 150mm-second, 100mm-second, 50mm-second",
        "      QLX500: no-change, 180mm-second, 120mm-second, 75mm-second, optimum-density",
        "  paper-width  Paper Width\n", "  context-cut-feeds  No. of Line Feeds",
        "      both models: no-change, feed-no-cut, full-cut, partial-cut"}) {
    EXPECT_TRUE(run.out.contains(line)) << line;
  }
  // The window's internal control names mean nothing to a user of the tool.
  static const QRegularExpression control(QStringLiteral(
      "\\b(com[A-Z]\\w*|cmb[A-Z]\\w*|txt[A-Z]\\w*|chk_\\w+|but[A-Z]\\w*|butfeedlength|"
      "Command[0-9]+)\\b"));
  EXPECT_FALSE(run.out.contains(control)) << run.out.toStdString();
  const CliRun version = cli({"--version"});
  EXPECT_EQ(version.code, 0);
  EXPECT_TRUE(version.out.startsWith("q6config-cli 1.")) << version.out.toStdString();
}

}  // namespace
