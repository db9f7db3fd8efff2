// q6config-cli as a script runs it: what reaches a receiver, the decoded dry run, the report, and
// refusals that open nothing.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

#include <vector>

#include "cli/json_text.h"
#include "cli/list_targets.h"
#include "cli/page_reader.h"
#include "cli/targets.h"
#include "support/core_support.h"

namespace {

using Q6Test::hex;

// The bytes of a literal, NULs included.
template <size_t N>
QByteArray bytesOf(const char (&text)[N]) {
  return QByteArray(text, N - 1);
}

struct CliRun {
  int code = -1;
  QString out;
  QString err;
};

class CliProgram : public ::testing::Test {
 protected:
  CliRun cli(const QStringList& args, const QByteArray& input = {},
             const QString& program = Q6CONFIG_CLI_PATH) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", dir.path());  // never the real home's stored link
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.write(input);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
  }
  QString path(const char* name) const { return dir.filePath(name); }
  // "{dir}" becomes the test's folder, "{port}" the given port.
  QString fill(QString text, int port = 0) const {
    return text.replace("{dir}", dir.path()).replace("{port}", QString::number(port));
  }
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
  const Q6Test::ClosedPort closedPort;
  const int closed = closedPort.port();
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

// A stored connection that cannot be used is refused with what to do about it in the tool's own
// terms; the window's buttons mean nothing here.
TEST_F(CliProgram, StoredTargetThatCannotBeUsedSaysWhatToDo) {
  const struct {
    const char* name;
    QByteArray ini;  // empty: a folder in the file's place
    const char* says;
  } cases[] = {
      {"unusable value", "[Q56ConfigCOM]\nConnection=Network\nHost=127.0.0.1\nTimeoutMs=0\n",
       "TimeoutMs=0 is not a number of milliseconds from 1 to 600000. Correct it in the window "
       "program's Communication settings, or name the printer instead of stored (tcp://, queue:, "
       "file: or serial:)."},
      {"unreadable file",
       {},
       "cannot be read (it is a folder), so the printer connection is not known. Fix or remove "
       "that file, or name the printer instead of stored (tcp://, queue:, file: or serial:)."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QDir(path("Q56Config")).removeRecursively();
    if (c.ini.isEmpty()) {
      ASSERT_TRUE(QDir().mkpath(path("Q56Config/Q56Config.ini")));
    } else {
      ASSERT_TRUE(QDir().mkpath(path("Q56Config")));
      ASSERT_TRUE(Q6Test::writeFile(path("Q56Config/Q56Config.ini"), c.ini));
    }
    const CliRun run = cli({"test", "cash-drawer-2", "--to", "stored"});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.says))) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains("Main tab")) << run.err.toStdString();
  }
}

// The dry run names a test as the tool does and by the caption of the window's button, never by
// the button's internal name.
TEST_F(CliProgram, ShowNamesATestByItsCaption) {
  const struct {
    const char* test;
    const char* shown;
  } cases[] = {
      {"line-feed",
       "# test line-feed: 1 commands, 2 bytes; nothing is opened\n"
       "test line-feed (\"Line Feed\")\n"
       "  0D 0A\n"},
      {"partial-cut",
       "# test partial-cut: 1 commands, 3 bytes; nothing is opened\n"
       "test partial-cut (\"Partial Cut\")\n"
       "  1B 64 31\n"},
  };
  for (const auto& c : cases) {
    const CliRun run = cli({"show", "test", c.test});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QString::fromUtf8(c.shown));
  }
}

// Every refusal: exit code 2, a message that names the fault, and nothing opened anywhere (the
// listener saw no connection, the file target was not created).
struct RefusalRow {
  const char* name;
  QStringList args;  // "{tcp}" and "{file}" become the two healthy targets
  const char* named;
  QByteArray targetsFile = {};  // when given, read through --targets as well
};

void PrintTo(const RefusalRow& r, std::ostream* os) {
  *os << r.name;
}

class Refusals : public CliProgram, public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(Refusals, NothingIsOpened) {
  Q6Test::TcpSink printer;
  // Other spellings of the file target: a link to it (dangling, as the file is not made yet).
  ASSERT_TRUE(QFile::link(path("printer.bin"), path("printer-link")));
  QStringList args;
  for (const QString& a : GetParam().args) {
    args << (a == "{tcp}"    ? QStringLiteral("tcp://127.0.0.1:%1").arg(printer.port())
             : a == "{file}" ? "file:" + path("printer.bin")
                             : fill(a, printer.port()));
  }
  if (!GetParam().targetsFile.isEmpty()) {
    QByteArray text = GetParam().targetsFile;
    text.replace("{dir}", QFile::encodeName(dir.path()))
        .replace("{port}", QByteArray::number(printer.port()));
    ASSERT_TRUE(Q6Test::writeFile(path("targets.txt"), text));
    args << "--targets" << path("targets.txt");
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
            "cannot read the preset /nonexistent/x.pre: No such file or directory"},
        RefusalRow{"PresetIsAFolder",
                   QStringList{"apply", "--model", "QLX500", "--preset", "{dir}"} + kTo,
                   "Is a directory"},
        RefusalRow{"MisspeltCommandWithAPreset",
                   QStringList{"aply", "--model", "QLX500", "--preset", "x.pre"} + kTo,
                   "unknown command \"aply\" (see --help). Did you mean apply?"},
        RefusalRow{"MisspeltOption", QStringList{"test", "self-test", "--tagets", "t.txt"} + kTo,
                   "Did you mean --targets?"},
        RefusalRow{"MisspeltSetting",
                   QStringList{"apply", "--model", "QLX500", "--set", "from-feed=full-cut"} + kTo,
                   "Did you mean form-feed?"},
        RefusalRow{"MisspeltEntry",
                   QStringList{"apply", "--model", "QLX500", "--set", "form-feed=full-cat"} + kTo,
                   "Did you mean full-cut?"},
        RefusalRow{"MisspeltTest", QStringList{"test", "self-tset"} + kTo,
                   "Did you mean self-test?"},
        RefusalRow{
            "MalformedTargetAmongGoodOnes",
            QStringList{"test", "self-test", "--to", "{tcp}", "{file}", "tcp://127.0.0.1:70000"},
            "tcp://127.0.0.1:70000"},
        RefusalRow{"NotATarget",
                   QStringList{"test", "self-test", "--to", "{tcp}", "{file}", "printer7"},
                   "printer7"},
        RefusalRow{"SameTargetTwice",
                   QStringList{"test", "self-test", "--to", "{tcp}", "{file}", "{file}"}, "twice"},
        // The same printer under another spelling: two exchanges at once would interleave.
        RefusalRow{
            "SameFileThroughDot",
            QStringList{"test", "self-test", "--to", "{tcp}", "{file}", "file:{dir}/./printer.bin"},
            "twice"},
        RefusalRow{
            "SameFileThroughALink",
            QStringList{"test", "self-test", "--to", "{tcp}", "{file}", "file:{dir}/printer-link"},
            "twice"},
        RefusalRow{"SameAddressMappedIntoIPv6",
                   QStringList{"test", "self-test", "--to", "{tcp}", "{file}",
                               "tcp://[::ffff:127.0.0.1]:{port}"},
                   "twice"},
        RefusalRow{"SameHostOtherCaseAndTrailingDot",
                   QStringList{"test", "self-test", "--to", "{tcp}", "{file}",
                               "tcp://Printer.Example:9100", "tcp://printer.example.:9100"},
                   "twice"},
        RefusalRow{
            "SameQueueOtherCase",
            QStringList{"test", "self-test", "--to", "{tcp}", "{file}", "queue:Shop", "queue:shop"},
            "twice"},
        RefusalRow{"SameFileInTheTargetsFile", QStringList{"test", "self-test", "--to", "{file}"},
                   "targets.txt line 2) is given twice", "# again\nfile:{dir}/./printer.bin\n"},
        // Control characters in a targets file: refused with the line, never cut short.
        RefusalRow{"NulInAFileTarget", QStringList{"test", "self-test", "--to", "{tcp}"},
                   "targets.txt line 1: control character \\x00",
                   bytesOf("file:{dir}/printer.bin\0.old\n")},
        RefusalRow{"NulInANetworkTarget", QStringList{"test", "self-test", "--to", "{file}"},
                   "targets.txt line 2: control character \\x00",
                   bytesOf("\ntcp://127.0.0.1\0.printer.invalid:{port}\n")},
        RefusalRow{"NulInAQueueTarget", QStringList{"test", "self-test", "--to", "{tcp}", "{file}"},
                   "targets.txt line 1: control character \\x00", bytesOf("queue:q6raw\0other\n")},
        RefusalRow{"CarriageReturnInsideALine", QStringList{"test", "self-test", "--to", "{tcp}"},
                   "targets.txt line 1: control character \\r",
                   "file:{dir}/printer.bin\rfile:{dir}/other.bin\n"},
        RefusalRow{"EscapeInALine", QStringList{"test", "self-test", "--to", "{tcp}"},
                   "targets.txt line 3: control character \\x1b",
                   "# shop 3\n\nfile:{dir}/printer\x1b[31m.bin\n"},
        RefusalRow{"NotUtf8", QStringList{"test", "self-test", "--to", "{tcp}"},
                   "targets.txt line 1: the line is not UTF-8 text",
                   "file:{dir}/printer\xff.bin\n"},
        RefusalRow{"NothingStored",
                   QStringList{"test", "self-test", "--to", "{tcp}", "{file}", "stored"}, "stored"},
        RefusalRow{"ResetWithoutYes", QStringList{"reset"} + kTo, "--yes"},
        RefusalRow{"UnknownTest", QStringList{"test", "cut-twice"} + kTo, "cut-twice"},
        RefusalRow{"UnknownCommand", QStringList{"print"} + kTo, "print"},
        RefusalRow{"UnknownOption", QStringList{"test", "self-test", "--fast"} + kTo, "--fast"},
        RefusalRow{"JobsZero", QStringList{"test", "self-test", "--jobs", "0"} + kTo, "--jobs"},
        RefusalRow{"JobsBeyondAnyFileLimit",
                   QStringList{"test", "self-test", "--jobs", "65537"} + kTo, "65537"},
        RefusalRow{"ChangesOnlyIsForApply", QStringList{"reset", "--yes", "--changes-only"} + kTo,
                   "--changes-only"},
        RefusalRow{"CheckIsForApply", QStringList{"test", "self-test", "--check"} + kTo,
                   "--changes-only, --check and --diff belong to apply."},
        RefusalRow{
            "PresetIsForApply",
            QStringList{"reset", "--yes", "--preset", Q6CONFIG_TEST_DATA "/version0.pre"} + kTo,
            "--preset and --set belong to apply."},
        RefusalRow{"SetIsForApply",
                   QStringList{"test", "self-test", "--set", "form-feed=full-cut"} + kTo,
                   "--preset and --set belong to apply."},
        RefusalRow{"ShowShowsACommandThatSends", QStringList{"show", "show"} + kTo,
                   "unknown command \"show\" (see --help)."},
        RefusalRow{"CheckWithoutTheRecord",
                   QStringList{"apply", "--model", "QLX500", "--set", "form-feed=full-cut",
                               "--check", "--no-record"} +
                       kTo,
                   "--no-record"},
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
  const Q6Test::ClosedPort closed;
  const int port = closed.port();
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

namespace {

// What a targets file (or standard input) says reaches exactly the printers it names: comments are
// left out of names, and the output of list-targets reads back as it is.
struct TargetsFileRow {
  const char* name;
  const char* text;     // "{dir}" and "{port}" (the network printer's) are filled in
  QStringList written;  // the files of the folder that get the bytes, and no other file appears
  bool network;         // the network printer gets the bytes too
  bool fromStdin;
};

void PrintTo(const TargetsFileRow& r, std::ostream* os) {
  *os << r.name;
}

class TargetsFile : public CliProgram, public ::testing::WithParamInterface<TargetsFileRow> {};

TEST_P(TargetsFile, ReachesExactlyTheNamedPrinters) {
  const TargetsFileRow& row = GetParam();
  Q6Test::TcpSink printer;
  const QByteArray text = fill(QString::fromUtf8(row.text), printer.port()).toUtf8();
  QStringList args{"test", "self-test", "--targets"};
  if (row.fromStdin) {
    args << "-";
  } else {
    ASSERT_TRUE(Q6Test::writeFile(path("targets.txt"), text));
    args << path("targets.txt");
  }
  const CliRun run = cli(args, row.fromStdin ? text : QByteArray());
  EXPECT_EQ(run.code, 0) << run.err.toStdString();
  QStringList expected = row.written;
  if (!row.fromStdin) {
    expected << "targets.txt";
  }
  expected.sort();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name), expected);
  for (const QString& name : row.written) {
    EXPECT_EQ(bytes(name.toUtf8().constData()), hex("1B 3F 0A 00")) << name.toStdString();
    EXPECT_TRUE(run.out.contains("ok file:" + dir.filePath(name) + "  4 bytes  "))
        << run.out.toStdString();
  }
  EXPECT_EQ(printer.received(row.network ? 1 : 0, 2000),
            row.network ? hex("1B 3F 0A 00") : QByteArray());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TargetsFile,
    ::testing::Values(
        TargetsFileRow{"CommentAfterBlanks",
                       "file:{dir}/a.bin   # kitchen printer\n",
                       {"a.bin"},
                       false,
                       false},
        TargetsFileRow{"CommentAfterATab", "file:{dir}/lp0\t# shop 3\n", {"lp0"}, false, false},
        TargetsFileRow{"HashInsideAName", "file:{dir}/a#1.bin\n", {"a#1.bin"}, false, false},
        TargetsFileRow{"PercentInAName", "file:{dir}/%1%2.bin\n", {"%1%2.bin"}, false, false},
        TargetsFileRow{
            "CrLfLineEnds", "# shops\r\nfile:{dir}/a.bin\r\n\r\n", {"a.bin"}, false, false},
        TargetsFileRow{"ListTargetsOutputOnStandardInput",
                       "tcp://127.0.0.1:{port}     # Front desk, frontdesk.local\n"
                       "file:{dir}/lp0             # ACME QLX600\n",
                       {"lp0"},
                       true,
                       true}),
    [](const auto& info) { return std::string(info.param.name); });

// A run stopped by SIGINT or SIGTERM: the exit status says which, the report is whole (an earlier
// one is replaced, never left empty) and names every target that did not finish. With --json -,
// the report is standard output and the lines for people go to standard error. Every note the run
// gives on standard error is in the report's notes as well.
struct ReportRow {
  const char* name;
  int signal;     // 0: the run ends by itself
  bool toStdout;  // --json -
  int code;
  QStringList command = {"test", "self-test"};
  QStringList notes = {};
};

// The window's advice on the QLX500's optimum-density speed, as the run gives it.
const QString kSpeedAdvice =
    "The 'Optimum' print speed option acheives the highest possible output quality to acheive "
    "good results even on unsensitive paper types.\n"
    "Combine the setting with 130% density for maximum quality (at 120mm/second)\n"
    "or 120% density for second highest quality (at 140mm/second.";

void PrintTo(const ReportRow& r, std::ostream* os) {
  *os << r.name;
}

class Report : public CliProgram, public ::testing::WithParamInterface<ReportRow> {};

TEST_P(Report, IsWholeAndNamesWhatDidNotFinish) {
  const ReportRow& row = GetParam();
  ASSERT_TRUE(Q6Test::writeFile(path("report.json"), "{\"earlier\": true}\n"));
  Q6Test::TcpSink stalled(Q6Test::TcpSink::Mode::AcceptNeverRead);
  QStringList targets;
  if (row.signal) {
    targets << QStringLiteral("tcp://127.0.0.1:%1").arg(stalled.port());
  }
  targets << "file:" + path("a.bin") << "file:" + path("b.bin");
  QProcess p;
  const QDateTime launched = QDateTime::currentDateTimeUtc();
  p.start(Q6CONFIG_CLI_PATH,
          row.command +
              QStringList{"--jobs", "1", "--timeout", "20000", "--json",
                          row.toStdout ? "-" : path("report.json"), "--html", path("page.html"),
                          "--junit", path("junit.xml"), "--to"} +
              targets);
  ASSERT_TRUE(p.waitForStarted());
  if (row.signal) {
    QThread::msleep(800);
    ::kill(static_cast<pid_t>(p.processId()), row.signal);
  }
  ASSERT_TRUE(p.waitForFinished(10000));
  EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(p.exitCode(), row.code);
  const QByteArray out = p.readAllStandardOutput();
  const QString err = QString::fromLocal8Bit(p.readAllStandardError());
  const QByteArray text = row.toStdout ? out : bytes("report.json");
  QJsonParseError parsed;
  const QJsonObject report = QJsonDocument::fromJson(text, &parsed).object();
  ASSERT_EQ(parsed.error, QJsonParseError::NoError) << text.toStdString();
  EXPECT_EQ(report["exit_code"].toInt(), row.code);
  ASSERT_TRUE(report["notes"].isArray()) << text.toStdString();
  EXPECT_EQ(report["notes"].toVariant().toStringList(), row.notes);
  for (const QString& note : row.notes) {
    EXPECT_TRUE(err.contains("q6config-cli: note: " + note + "\n")) << err.toStdString();
  }
  // When the run started, not when the report was written (seconds later for a stopped run).
  EXPECT_LE(launched.secsTo(QDateTime::fromString(report["started"].toString(), Qt::ISODate)), 1)
      << report["started"].toString().toStdString();
  const QJsonArray list = report["targets"].toArray();
  ASSERT_EQ(list.size(), targets.size());
  const QStringList status = row.signal ? QStringList{"interrupted", "not started", "not started"}
                                        : QStringList{"ok", "ok"};
  for (int i = 0; i < list.size(); ++i) {
    EXPECT_EQ(list[i].toObject()["target"].toString(), targets[i]);
    EXPECT_EQ(list[i].toObject()["status"].toString(), status[i]);
  }
  const QString signalText = row.signal == SIGINT ? "SIGINT" : "SIGTERM";
  if (row.signal) {
    EXPECT_TRUE(err.contains("stopped by " + signalText)) << err.toStdString();
    EXPECT_FALSE(QFile::exists(path("a.bin")));
  }
  if (row.toStdout) {
    EXPECT_TRUE(err.contains((row.signal ? "NOT SENT file:" : "ok file:") + path("a.bin")))
        << err.toStdString();
    EXPECT_EQ(bytes("report.json"), "{\"earlier\": true}\n");
  }
  // The page and the JUnit file count the same, and put what did not finish first.
  const Q6Test::ReadPage page = Q6Test::readPage(bytes("page.html"));
  ASSERT_EQ(page.error, QString());
  EXPECT_EQ(page.mark, row.signal ? "Stopped by " + signalText + ": not every printer was sent to"
                                  : QString());
  EXPECT_EQ(page.counts.value("stopped"), row.signal ? 1 : 0);
  EXPECT_EQ(page.counts.value("not-sent"), row.signal ? 2 : 0);
  EXPECT_EQ(page.counts.value("changed"), row.signal ? 0 : 2);
  ASSERT_EQ(page.rows.size(), static_cast<size_t>(targets.size()));
  EXPECT_EQ(page.rows[0].group, row.signal ? "stopped" : "changed");
  EXPECT_EQ(page.rows[0].cells[0], targets[0]);
  const Q6Test::ReadJunit junit = Q6Test::readJunit(bytes("junit.xml"));
  ASSERT_EQ(junit.error, QString());
  EXPECT_EQ(junit.counts.value("errors"), row.signal ? 3 : 0);
  ASSERT_EQ(junit.cases.size(), static_cast<size_t>(targets.size()));
  // No temporary file is left beside the reports.
  QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
  left.removeIf([](const QString& file) { return file.endsWith(".bin"); });
  EXPECT_EQ(left, (QStringList{"junit.xml", "page.html", "report.json"}));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, Report,
    ::testing::Values(ReportRow{"StoppedBySigterm", SIGTERM, false, 143},
                      ReportRow{"StoppedBySigint", SIGINT, false, 130},
                      ReportRow{"StoppedWithReportOnStdout", SIGTERM, true, 143},
                      ReportRow{"ReportOnStdout", 0, true, 0},
                      ReportRow{"AdviceIsANote",
                                0,
                                false,
                                0,
                                {"apply", "--model", "QLX500", "--set", "speed=optimum-density"},
                                {kSpeedAdvice}}),
    [](const auto& info) { return std::string(info.param.name); });

// The report is written as the run goes and reads as one document: every key it has always had,
// the targets in the order given whatever order they end in, and the counts at the end.
struct ShapeRow {
  const char* name;
  bool slowFirst;      // the first target ends last
  QStringList files;   // file targets after it, "{dir}" for the test's folder
  QStringList status;  // per target, in the order given
  int code;
};

void PrintTo(const ShapeRow& r, std::ostream* os) {
  *os << r.name;
}

class ReportShape : public CliProgram, public ::testing::WithParamInterface<ShapeRow> {};

TEST_P(ReportShape, ParsesToWhatTheRunDid) {
  const ShapeRow& row = GetParam();
  Q6Test::TcpSink slow(Q6Test::TcpSink::Mode::SlowToEnd);
  QStringList targets;
  if (row.slowFirst) {
    targets << QStringLiteral("tcp://127.0.0.1:%1").arg(slow.port());
  }
  for (const QString& file : row.files) {
    targets << fill(file);
  }
  for (const QString& json : {QStringLiteral("-"), path("report.json")}) {
    SCOPED_TRACE(json.toStdString());
    const CliRun run =
        cli(QStringList{"test", "line-feed", "--no-record", "--jobs", "4", "--json", json, "--to"} +
            targets);
    EXPECT_EQ(run.code, row.code) << run.err.toStdString();
    const QByteArray text = json == u"-" ? run.out.toUtf8() : bytes("report.json");
    QJsonParseError parsed;
    const QJsonObject report = QJsonDocument::fromJson(text, &parsed).object();
    ASSERT_EQ(parsed.error, QJsonParseError::NoError) << text.toStdString();
    QStringList keys = report.keys();
    EXPECT_EQ(keys, (QStringList{"bytes", "command", "commands", "delivered", "exit_code", "failed",
                                 "notes", "program", "record", "started", "targets", "unchanged",
                                 "version", "what"}));
    EXPECT_EQ(report["program"].toString(), "q6config-cli");
    EXPECT_EQ(report["command"].toString(), "test");
    EXPECT_EQ(report["what"].toString(), "test line-feed");
    EXPECT_EQ(report["commands"].toInt(), 1);
    EXPECT_EQ(report["bytes"].toInt(), 2);
    EXPECT_TRUE(report["record"].isNull());
    EXPECT_EQ(report["exit_code"].toInt(), row.code);
    EXPECT_EQ(report["failed"].toInt(), row.status.count("failed"));
    EXPECT_EQ(report["delivered"].toInt(), row.status.count("ok"));
    EXPECT_EQ(report["unchanged"].toInt(), 0);
    EXPECT_EQ(report["notes"].toArray(), QJsonArray());
    const QJsonArray list = report["targets"].toArray();
    ASSERT_EQ(list.size(), targets.size());
    for (int i = 0; i < list.size(); ++i) {
      const QJsonObject t = list[i].toObject();
      const bool ok = row.status[i] == u"ok";
      EXPECT_EQ(t["target"].toString(), targets[i]);
      EXPECT_EQ(t["status"].toString(), row.status[i]);
      EXPECT_EQ(t["bytes"].toInt(), ok ? 2 : 0);
      EXPECT_EQ(t["changed"].toBool(), ok);
      EXPECT_EQ(t["diff"].toArray(), QJsonArray());
      EXPECT_TRUE(t["ms"].isDouble());
      EXPECT_EQ(t.contains("error"), !ok);
      EXPECT_EQ(t.keys().size(), ok ? 6 : 7);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, ReportShape,
    ::testing::Values(ShapeRow{"DeliveredAndFailedBeforeOpening",
                               false,
                               {"file:{dir}/a.bin", "file:{dir}/missing/b.bin", "file:{dir}/c.bin"},
                               {"ok", "failed", "ok"},
                               1},
                      ShapeRow{"TheFirstEndsLastAndKeepsItsPlace",
                               true,
                               {"file:{dir}/a.bin", "file:{dir}/b.bin", "file:{dir}/c.bin",
                                "file:{dir}/d.bin", "file:{dir}/e.bin", "file:{dir}/f.bin"},
                               {"ok", "ok", "ok", "ok", "ok", "ok", "ok"},
                               0},
                      ShapeRow{
                          "NoTargetDelivered", false, {"file:{dir}/missing/a.bin"}, {"failed"}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// The report's targets are written as text straight away: byte for byte what Qt's indented form
// writes for the same values, so a report reads and compares as it always did.
QByteArray qtString(const QString& text) {
  QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
  return json.mid(1, json.size() - 2);  // ["..."]
}

TEST(ReportText, StringsAreEscapedAsQtEscapesThem) {
  for (unsigned unit = 0; unit < 0x10000; ++unit) {
    const QString text(QChar(static_cast<char16_t>(unit)));
    std::string written;
    Q6Cli::appendJsonString(written, text);
    ASSERT_EQ(QByteArray::fromStdString(written), qtString(text)) << "U+" << std::hex << unit;
  }
  const QString rows[] = {
      QString::fromUtf8("caf\u00e9 \U0001F5A8 \u202Egnp.exe"),
      QStringLiteral("quote \" back \\ slash / del \x7f"),
      QString(QChar(0xd83d)) + u'x',           // a high surrogate without its other half
      QStringLiteral("end") + QChar(0xd83d),   // and at the very end
      QString(QChar(0xde00)) + QChar(0xd83d),  // the halves the wrong way round
  };
  for (const QString& text : rows) {
    std::string written;
    Q6Cli::appendJsonString(written, text);
    EXPECT_EQ(QByteArray::fromStdString(written), qtString(text)) << text.toStdString();
  }
}

TEST(ReportText, TargetsAreWrittenAsQtWritesThem) {
  using Q6Cli::Outcome;
  const auto result = [](Outcome outcome, const char* target, qint64 bytes, qint64 ms,
                         const QString& error) {
    Q6Cli::TargetResult r;
    r.target = QString::fromUtf8(target);
    r.outcome = outcome;
    r.bytes = bytes;
    r.ms = ms;
    r.error = error;
    return r;
  };
  const Q6Cli::TargetNote sameAsBefore{false, {}};
  const Q6Cli::TargetNote twoChanges{
      true, {{"density", "unknown", "dark"}, {"cut-offset", "factory", "3.5 \"mm\""}}};
  const struct {
    Q6Cli::TargetResult result;
    Q6Cli::TargetNote note;
    bool changed;
  } rows[] = {
      {result(Outcome::Delivered, "tcp://10.0.0.5:9100", 143, 12, {}), twoChanges, true},
      {result(Outcome::Failed, "tcp://<script>&\"", 0, 3000, QStringLiteral("refused\n\x1b[31m")),
       twoChanges, false},
      {result(Outcome::Unchanged, "file:/tmp/a b.bin", 0, 0, {}), sameAsBefore, false},
      {result(Outcome::WouldChange, "queue:front", 70, 0, {}), twoChanges, true},
      {result(Outcome::Interrupted, "serial:/dev/ttyUSB0", 64, 2001, {}), twoChanges, false},
      {result(Outcome::NotStarted, "tcp://[fe80::1%eth0]:9100", -1, INT64_MAX, {}), {}, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.result.target.toStdString());
    std::string text;
    Q6Cli::appendTargetJson(text, row.result, row.note);
    const QByteArray written = QByteArray::fromStdString(text);
    QJsonParseError parsed;
    const QJsonObject object = QJsonDocument::fromJson(written, &parsed).object();
    ASSERT_EQ(parsed.error, QJsonParseError::NoError) << written.toStdString();
    // Qt's indented form, two levels in, as the report's list holds it.
    QByteArray qt = QJsonDocument(object).toJson(QJsonDocument::Indented);
    qt.chop(1);
    qt.replace("\n", "\n        ");
    EXPECT_EQ(written, "        " + qt);
    EXPECT_EQ(object["target"].toString(), row.result.target);
    EXPECT_EQ(object["status"].toString(), Q6Cli::statusName(row.result.outcome));
    EXPECT_EQ(object["bytes"].toInteger(), row.result.bytes);
    EXPECT_EQ(object["ms"].toInteger(), row.result.ms);
    EXPECT_EQ(object["changed"].toBool(), row.changed);
    EXPECT_EQ(object.contains("error"), row.result.outcome == Outcome::Failed);
    EXPECT_EQ(object["error"].toString(),
              row.result.outcome == Outcome::Failed ? row.result.error : QString());
    const QJsonArray diff = object["diff"].toArray();
    ASSERT_EQ(diff.size(), row.note.diff.size());
    for (qsizetype i = 0; i < diff.size(); ++i) {
      const Q6Cli::SettingChange& c = row.note.diff[i];
      EXPECT_EQ(diff[i].toObject(),
                (QJsonObject{{"setting", c.setting}, {"before", c.before}, {"after", c.after}}));
    }
  }
}

// list-targets prints what the network and the print server announce: a name is never more than
// its own line, never a terminal command, and the line reads back through --targets as it is.
TEST(ListTargetsLine, NamesAreEscapedAndReadBackAsTheTarget) {
  const struct {
    Q6Cli::FoundTarget found;
    const char* line;
    const char* readsBack;  // nullptr: the line is a comment
  } rows[] = {
      {{"tcp://10.0.0.5:9100", "Evil\ntcp://10.9.9.9:9100  injected"},
       "tcp://10.0.0.5:9100       # Evil\\ntcp://10.9.9.9:9100  injected",
       "tcp://10.0.0.5:9100"},
      {{"queue:front", "Front\x1b]0;owned\x07 desk\r"},
       "queue:front               # Front\\x1b]0;owned\\x07 desk\\r",
       "queue:front"},
      {{"queue:bar", QString::fromUtf8("Bar \u202Egnp.exe")},
       "queue:bar                 # Bar \\u202egnp.exe",
       "queue:bar"},
      {{"file:/dev/usb/lp\n0", "ACME"},
       "# file:/dev/usb/lp\\n0  # not usable as a target: its name has control characters or "
       "\" #\"; ACME",
       nullptr},
      {{"serial:/dev/ttyUSB0", ""}, "serial:/dev/ttyUSB0", "serial:/dev/ttyUSB0"},
  };
  for (const auto& row : rows) {
    const QString line = Q6Cli::listLine(row.found);
    EXPECT_EQ(line, QString::fromUtf8(row.line));
    std::vector<Q6Cli::TargetLine> read;
    QString error;
    ASSERT_TRUE(Q6Cli::parseTargetsText(line.toUtf8(), "list", &read, &error))
        << error.toStdString();
    ASSERT_EQ(read.size(), row.readsBack ? 1u : 0u) << line.toStdString();
    if (row.readsBack) {
      EXPECT_EQ(read[0].text, QString::fromUtf8(row.readsBack));
    }
  }
}

// A preset named as `q6config --list-presets` prints it is found in the installed Presets folder
// (lib/q6config/Presets beside the program's bin/), with or without ".pre".
TEST_F(CliProgram, PresetByNameComesFromTheInstalledPresetsFolder) {
  ASSERT_TRUE(QDir().mkpath(path("usr/bin")) && QDir().mkpath(path("usr/lib/q6config/Presets")));
  ASSERT_TRUE(QFile::copy(Q6CONFIG_CLI_PATH, path("usr/bin/q6config-cli")));
  ASSERT_TRUE(QFile::copy(Q6CONFIG_TEST_DATA "/worked_example.pre",
                          path("usr/lib/q6config/Presets/Shop tickets.pre")));
  QFile golden(Q6CONFIG_TEST_DATA "/show_worked_example.expected.txt");
  ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
  const QString expected = QString::fromUtf8(golden.readAll());
  for (const char* name : {"Shop tickets.pre", "Shop tickets"}) {
    const CliRun run = cli({"show", "apply", "--model", "QLX500", "--preset", name}, {},
                           path("usr/bin/q6config-cli"));
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, expected) << name;
  }
  const CliRun slip = cli({"show", "apply", "--model", "QLX500", "--preset", "Shop tickts"}, {},
                          path("usr/bin/q6config-cli"));
  EXPECT_EQ(slip.code, 2);
  EXPECT_TRUE(slip.err.contains("No such file or directory. Did you mean Shop tickets?"))
      << slip.err.toStdString();
}

}  // namespace
