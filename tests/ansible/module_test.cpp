// The Ansible module q6config.printers.printer: arguments to q6config-cli command lines, refusals
// that send nothing, and the tool's report to the task's result.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <vector>

#include "ansible/command_lines.h"
#include "ansible/module.h"
#include "support/core_support.h"

namespace {

QJsonObject objectOf(const char* json) {
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray(json), &error);
  EXPECT_TRUE(doc.isObject()) << json << ": " << error.errorString().toStdString();
  return doc.object();
}

std::string text(const QJsonObject& o) {
  return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString();
}

// Whether q6config-cli in this build decides from the printer record; the module's runs need it.
bool toolKnowsChangesOnly() {
  return Q6Ansible::runCliInProcess({QStringLiteral("--help")})
      .out.contains(QByteArrayLiteral("--changes-only"));
}

struct CommandLineRow {
  const char* arguments;
  std::vector<const char*> lines;  // each command line, its arguments joined by blanks
};

void PrintTo(const CommandLineRow& r, std::ostream* os) {
  *os << r.arguments;
}

class AnsibleArguments : public ::testing::TestWithParam<CommandLineRow> {};

TEST_P(AnsibleArguments, BecomeTheseCommandLines) {
  const Q6::Result<Q6Ansible::ModuleArguments> read =
      Q6Ansible::readModuleArguments(objectOf(GetParam().arguments));
  ASSERT_TRUE(read) << read.error().toStdString();
  QStringList got;
  for (const QStringList& line : Q6Ansible::cliCommandLines(*read)) {
    got << line.join(u' ');
  }
  QStringList expected;
  for (const char* line : GetParam().lines) {
    expected << QString::fromUtf8(line);
  }
  EXPECT_EQ(got, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AnsibleArguments,
    ::testing::Values(
        CommandLineRow{
            R"({"target": "tcp://10.0.0.5", "model": "QLX600",
                "settings": {"form-feed": "partial-cut"}})",
            {"apply --model=QLX600 --set=form-feed=partial-cut --changes-only --diff --json=- "
             "--to=tcp://10.0.0.5"}},
        // Numbers as YAML gives them; the settings in the table's order of names.
        CommandLineRow{
            R"({"target": "file:/dev/usb/lp0", "model": "qlx500",
                "settings": {"cut-offset": 2.5, "context-cut-feeds": 3, "code-page": 1252}})",
            {"apply --model=qlx500 --set=code-page=1252 --set=context-cut-feeds=3 "
             "--set=cut-offset=2.5 --changes-only --diff --json=- --to=file:/dev/usb/lp0"}},
        CommandLineRow{
            R"({"target": "queue:receipts", "model": "QLX500", "preset": "/srv/shop.pre",
                "force": true, "timeout_ms": 3000, "record": "/var/lib/q6/record.sqlite3"})",
            {"apply --model=QLX500 --preset=/srv/shop.pre --changes-only --force --diff "
             "--timeout=3000 --record=/var/lib/q6/record.sqlite3 --json=- --to=queue:receipts"}},
        CommandLineRow{
            R"({"target": "tcp://p1", "model": "QLX600", "record": "/r.sqlite3",
                "settings": {"form-feed": "full-cut"}, "_ansible_check_mode": true})",
            {"apply --model=QLX600 --set=form-feed=full-cut --changes-only --check --diff "
             "--record=/r.sqlite3 --json=- --to=tcp://p1"}},
        // Reset first, then only what differs from the factory's. Checking, the reset is a dry
        // run and the check counts every setting, as it would after the reset.
        CommandLineRow{
            R"({"target": "tcp://p1", "model": "QLX600", "reset": true,
                "settings": {"form-feed": "full-cut"}, "_ansible_check_mode": true,
                "_ansible_diff": true, "_ansible_verbosity": 2})",
            {"reset --yes --model=QLX600 --dry-run --to=tcp://p1",
             "apply --model=QLX600 --set=form-feed=full-cut --changes-only --force --check "
             "--diff --json=- --to=tcp://p1"}},
        CommandLineRow{R"({"target": "stored", "reset": "yes", "timeout_ms": "2500",
                           "force": "no", "settings": {}})",
                       {"reset --yes --timeout=2500 --json=- --to=stored"}},
        // A target that looks like an option stays the target.
        CommandLineRow{R"({"target": "--help", "reset": true, "model": null})",
                       {"reset --yes --json=- --to=--help"}}));

struct RefusalRow {
  const char* arguments;  // "{file}" is the capture file the printer would get
  const char* expected;   // in the message
  bool needsTool;         // refused by q6config-cli, not by the module's own check
};

void PrintTo(const RefusalRow& r, std::ostream* os) {
  *os << r.arguments;
}

class AnsibleRefusals : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(AnsibleRefusals, FailNamingTheArgumentAndSendNothing) {
  if (GetParam().needsTool && !toolKnowsChangesOnly()) {
    GTEST_SKIP() << "q6config-cli here has no --changes-only yet";
  }
  QTemporaryDir dir;
  const QString printer = dir.filePath(QStringLiteral("printer.bin"));
  QByteArray arguments(GetParam().arguments);
  arguments.replace("{file}", ("file:" + printer).toUtf8());
  int runs = 0;
  const QJsonObject result =
      Q6Ansible::runModule(arguments, {}, [&](const QStringList& commandLine) {
        ++runs;
        return Q6Ansible::runCliInProcess(commandLine);
      });
  EXPECT_EQ(result.value("failed"), QJsonValue(true)) << text(result);
  EXPECT_EQ(result.value("changed"), QJsonValue(false)) << text(result);
  EXPECT_TRUE(result.value("msg").toString().contains(QString::fromUtf8(GetParam().expected)))
      << text(result);
  EXPECT_EQ(runs, GetParam().needsTool ? 1 : 0);
  EXPECT_FALSE(QFile::exists(printer)) << "something was sent";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AnsibleRefusals,
    ::testing::Values(
        RefusalRow{R"({"model": "QLX600", "settings": {"form-feed": "partial-cut"}})",
                   "target is required", false},
        RefusalRow{R"({"target": ["{file}"], "reset": true})", "target must be", false},
        RefusalRow{R"({"target": "{file}", "model": "QLX600", "settings": ["form-feed=full-cut"]})",
                   "settings must be a mapping of name to entry", false},
        RefusalRow{R"({"target": "{file}", "model": "QLX600", "settings": "form-feed=full-cut"})",
                   "settings must be a mapping of name to entry", false},
        RefusalRow{R"({"target": "{file}", "reset": true, "colour": "red"})",
                   "unsupported parameter colour", false},
        RefusalRow{
            R"({"target": "{file}", "model": "QLX600", "setings": {"form-feed": "x"}})",
            "unsupported parameter setings (q6config.printers.printer takes target, model, preset, "
            "settings, reset, force, timeout_ms, record). Did you mean settings?",
            false},
        RefusalRow{R"({"target": "{file}", "reset": "maybe"})", "reset must be true or false",
                   false},
        RefusalRow{R"({"target": "{file}", "reset": true, "force": 2})",
                   "force must be true or false", false},
        RefusalRow{R"({"target": "{file}", "reset": true, "timeout_ms": "soon"})",
                   "timeout_ms must be a whole number of milliseconds", false},
        RefusalRow{R"({"target": "{file}", "reset": true, "timeout_ms": 2.5})",
                   "timeout_ms must be a whole number of milliseconds", false},
        RefusalRow{R"({"target": "{file}", "reset": true, "timeout_ms": 0})",
                   "timeout_ms must be a whole number of milliseconds from 1 to 600000", false},
        RefusalRow{
            R"({"target": "{file}", "model": "QLX600", "settings": {"form-fed": "full-cut"}})",
            "there is no setting \"form-fed\". Did you mean form-feed?", false},
        RefusalRow{R"({"target": "{file}", "model": "QLX600", "settings": {"cut-offset": false}})",
                   "the entry of cut-offset is false", false},
        RefusalRow{R"({"target": "{file}", "model": "QLX600", "settings": {"form-feed": [1]}})",
                   "the entry of form-feed must be text or a number", false},
        RefusalRow{R"({"target": "{file}", "settings": {"form-feed": "full-cut"}})",
                   "model is required", false},
        RefusalRow{R"({"target": "{file}", "model": "QLX700", "reset": true})",
                   "model must be QLX500 or QLX600", false},
        RefusalRow{R"({"target": "{file}", "model": "QLX600"})", "nothing to do", false},
        RefusalRow{R"([{"target": "{file}"}])", "not a JSON object", false},
        // Entries the settings table refuses: q6config-cli says why before it opens anything.
        RefusalRow{R"({"target": "{file}", "model": "QLX600", "settings": {"cut-offset": 40}})",
                   "cut-offset \"40\" is not a number of millimetres", true},
        RefusalRow{R"({"target": "{file}", "model": "QLX600", "settings": {"form-feed": "x"}})",
                   "\"x\"", true},
        RefusalRow{R"({"target": "{file}", "model": "QLX600", "preset": "no-such-preset"})",
                   "cannot read the preset", true}));

struct ResultRow {
  const char* name;
  const char* arguments;
  std::vector<Q6Ansible::CliAnswer> answers;
  const char* expected;  // the whole result
};

void PrintTo(const ResultRow& r, std::ostream* os) {
  *os << r.name;
}

class AnsibleResults : public ::testing::TestWithParam<ResultRow> {};

TEST_P(AnsibleResults, FromTheReports) {
  const Q6::Result<Q6Ansible::ModuleArguments> read =
      Q6Ansible::readModuleArguments(objectOf(GetParam().arguments));
  ASSERT_TRUE(read) << read.error().toStdString();
  const QJsonObject result = Q6Ansible::moduleResult(*read, GetParam().answers);
  EXPECT_EQ(text(result), text(objectOf(GetParam().expected)));
}

Q6Ansible::CliAnswer report(int code, const char* json, const char* err = "") {
  return {code, QByteArray(json), QString::fromUtf8(err)};
}

constexpr const char* kApply = R"({"target": "tcp://p1", "model": "QLX600",
                                   "settings": {"form-feed": "partial-cut"}})";

INSTANTIATE_TEST_SUITE_P(
    Rows, AnsibleResults,
    ::testing::Values(
        ResultRow{"changed",
                  kApply,
                  {report(0, R"({"targets": [{"target": "tcp://p1", "status": "ok", "bytes": 33,
                                 "changed": true, "diff": [{"setting": "form-feed",
                                 "before": "factory", "after": "partial-cut"}]}]})",
                          "ok tcp://p1  33 bytes  4 ms\n")},
                  R"({"changed": true, "sent": ["form-feed"], "bytes": 33,
                      "msg": "tcp://p1 got form-feed."})"},
        ResultRow{"unchanged",
                  kApply,
                  {report(0, R"({"targets": [{"target": "tcp://p1", "status": "unchanged",
                                 "bytes": 0, "changed": false, "diff": []}]})")},
                  R"({"changed": false, "sent": [], "bytes": 0, "msg":
                      "tcp://p1 holds these settings already, by the record; nothing was sent."})"},
        ResultRow{"target failed before sending",
                  kApply,
                  {report(1, R"({"targets": [{"target": "tcp://p1", "status": "failed",
                                 "bytes": 0, "changed": false, "error":
                                 "Could not connect to the printer at p1 port 9100: refused"}]})")},
                  R"({"changed": false, "sent": [], "bytes": 0, "failed": true,
                      "msg": "Could not connect to the printer at p1 port 9100: refused"})"},
        // A report without "changed": part of the bytes went, so the printer may have changed.
        ResultRow{"target failed part way",
                  kApply,
                  {report(1, R"({"targets": [{"target": "tcp://p1", "status": "failed",
                                 "bytes": 11, "error": "reset by the printer"}]})")},
                  R"({"changed": true, "sent": [], "bytes": 11, "failed": true,
                      "msg": "reset by the printer"})"},
        ResultRow{
            "refused by the tool",
            kApply,
            {report(2, "", "q6config-cli: cut-offset \"40\" is not a number of millimetres.\n")},
            R"({"changed": false, "sent": [], "bytes": 0, "failed": true,
                      "msg": "cut-offset \"40\" is not a number of millimetres."})"},
        ResultRow{"no report",
                  kApply,
                  {report(1, "{not json", "")},
                  R"({"changed": false, "sent": [], "bytes": 0, "failed": true,
                      "msg": "q6config-cli ended with status 1 and no report."})"},
        ResultRow{"check mode with diff",
                  R"({"target": "tcp://p1", "model": "QLX600", "_ansible_check_mode": true,
                      "_ansible_diff": true, "settings": {"form-feed": "full-cut",
                      "code-page": "1252"}})",
                  {report(0, R"({"check": true, "targets": [{"target": "tcp://p1",
                                 "status": "would change", "bytes": 44, "changed": true, "diff": [
                                 {"setting": "form-feed", "before": "partial-cut",
                                  "after": "full-cut"},
                                 {"setting": "code-page", "before": "unknown",
                                  "after": "1252"}]}]})")},
                  R"({"changed": true, "sent": [], "bytes": 0,
                      "msg": "tcp://p1 would get form-feed, code-page.",
                      "diff": {"before": "form-feed: partial-cut\ncode-page: unknown\n",
                               "after": "form-feed: full-cut\ncode-page: 1252\n"}})"},
        ResultRow{"diff asked, nothing differs",
                  R"({"target": "tcp://p1", "model": "QLX600", "_ansible_diff": true,
                      "settings": {"form-feed": "full-cut"}})",
                  {report(0, R"({"targets": [{"target": "tcp://p1", "status": "unchanged",
                                 "bytes": 0, "changed": false, "diff": []}]})")},
                  R"({"changed": false, "sent": [], "bytes": 0, "msg":
                      "tcp://p1 holds these settings already, by the record; nothing was sent.",
                      "diff": {"before": "", "after": ""}})"},
        ResultRow{"record not written",
                  kApply,
                  {report(0, R"({"record_error": "cannot write the record /r.sqlite3: read-only",
                                 "targets": [{"target": "tcp://p1", "status": "ok", "bytes": 33,
                                 "changed": true, "diff": [{"setting": "form-feed",
                                 "before": "unknown", "after": "partial-cut"}]}]})")},
                  R"({"changed": true, "sent": ["form-feed"], "bytes": 33,
                      "msg": "tcp://p1 got form-feed.",
                      "record_warning": "cannot write the record /r.sqlite3: read-only"})"},
        ResultRow{"the shared record away",
                  kApply,
                  {report(0, R"({"record_away": true, "record_away_reason": "Connection refused",
                                 "record_outbox": "/s/q6config/outbox/db-1a2b.sqlite3",
                                 "targets": [{"target": "tcp://p1", "status": "ok", "bytes": 33,
                                 "changed": true, "diff": [{"setting": "form-feed",
                                 "before": "unknown", "after": "partial-cut"}]}]})")},
                  R"({"changed": true, "sent": ["form-feed"], "bytes": 33,
                      "msg": "tcp://p1 got form-feed.", "record_away": true,
                      "record_outbox": "/s/q6config/outbox/db-1a2b.sqlite3",
                      "warnings": ["the shared record could not be reached (Connection refused); the entries are kept in /s/q6config/outbox/db-1a2b.sqlite3 until a run or \"q6config-cli record sync\" reaches it"]})"},
        ResultRow{"reset then apply",
                  R"({"target": "tcp://p1", "model": "QLX600", "reset": true,
                      "_ansible_diff": true, "settings": {"form-feed": "full-cut"}})",
                  {report(0, R"({"targets": [{"target": "tcp://p1", "status": "ok", "bytes": 22,
                                 "changed": true, "diff": []}]})"),
                   report(0, R"({"targets": [{"target": "tcp://p1", "status": "ok", "bytes": 22,
                                 "changed": true, "diff": [{"setting": "form-feed",
                                 "before": "factory", "after": "full-cut"}]}]})")},
                  R"({"changed": true, "sent": ["form-feed"], "bytes": 44,
                      "msg": "tcp://p1 was reset to the factory settings, then got form-feed.",
                      "diff": {"before": "form-feed: factory\n",
                               "after": "form-feed: full-cut\n"}})"},
        // Checking, the reset is a dry run whose text is no report.
        ResultRow{"reset then apply, checked",
                  R"({"target": "tcp://p1", "model": "QLX600", "reset": true,
                      "_ansible_check_mode": true, "settings": {"form-feed": "full-cut"}})",
                  {report(0, "# reset: 2 commands, 22 bytes; nothing is opened\n"),
                   report(0, R"({"check": true, "targets": [{"target": "tcp://p1",
                                 "status": "would change", "bytes": 22, "changed": true,
                                 "diff": [{"setting": "form-feed", "before": "partial-cut",
                                 "after": "full-cut"}]}]})")},
                  R"({"changed": true, "sent": [], "bytes": 0, "msg":
                      "tcp://p1 would be reset to the factory settings, then get form-feed."})"},
        ResultRow{"reset's dry run refused",
                  R"({"target": "tcp://", "reset": true,
                                                "_ansible_check_mode": true})",
                  {report(2, "", "q6config-cli: tcp:// names no host.\n")},
                  R"({"changed": false, "sent": [], "bytes": 0, "failed": true,
                      "msg": "tcp:// names no host."})"},
        ResultRow{"reset failed, apply never run",
                  R"({"target": "tcp://p1", "model": "QLX600", "reset": true,
                      "settings": {"form-feed": "full-cut"}})",
                  {report(1, R"({"targets": [{"target": "tcp://p1", "status": "failed",
                                 "bytes": 0, "changed": false, "error": "no answer"}]})")},
                  R"({"changed": false, "sent": [], "bytes": 0, "failed": true,
                      "msg": "no answer"})"},
        // Forced, what the record already showed is sent again: named as sent, not as changed.
        ResultRow{"forced",
                  R"({"target": "tcp://p1", "model": "QLX600", "force": true,
                      "_ansible_diff": true,
                      "settings": {"form-feed": "full-cut", "code-page": "1252"}})",
                  {report(0, R"({"targets": [{"target": "tcp://p1", "status": "ok", "bytes": 44,
                                 "changed": true, "diff": [{"setting": "form-feed",
                                 "before": "full-cut", "after": "full-cut"},
                                 {"setting": "code-page", "before": "437", "after": "1252"}]}]})")},
                  R"({"changed": true, "sent": ["form-feed", "code-page"], "bytes": 44,
                      "msg": "tcp://p1 got form-feed, code-page.",
                      "diff": {"before": "code-page: 437\n", "after": "code-page: 1252\n"}})"},
        // Notes come from the report alone: the lines for people are never taken apart.
        ResultRow{"a note from the tool",
                  R"({"target": "tcp://p1", "model": "QLX500", "settings": {"speed": "x"}})",
                  {report(0, R"({"notes": ["slower is darker", "the second note"],
                                 "targets": [{"target": "tcp://p1", "status": "unchanged",
                                 "bytes": 0, "changed": false}]})",
                          "q6config-cli: note: slower is darker\nq6config-cli: note: the second "
                          "note\n")},
                  R"({"changed": false, "sent": [], "bytes": 0, "msg":
                      "tcp://p1 holds these settings already, by the record; nothing was sent.",
                      "warnings": ["slower is darker", "the second note"]})"},
        ResultRow{"a note on standard error only",
                  kApply,
                  {report(0, R"({"targets": [{"target": "tcp://p1", "status": "unchanged",
                                 "bytes": 0, "changed": false}]})",
                          "q6config-cli: note: not in the report\n")},
                  R"({"changed": false, "sent": [], "bytes": 0, "msg":
                      "tcp://p1 holds these settings already, by the record; nothing was sent."})"},
        ResultRow{"a note that is not text",
                  kApply,
                  {report(0, R"({"notes": [{"jobs": 8}, null, "plain"],
                                 "targets": [{"target": "tcp://p1", "status": "unchanged",
                                 "bytes": 0, "changed": false}]})")},
                  R"({"changed": false, "sent": [], "bytes": 0, "msg":
                      "tcp://p1 holds these settings already, by the record; nothing was sent.",
                      "warnings": ["{\"jobs\":8}", "plain"]})"},
        ResultRow{"notes of a failed run with the record not written",
                  kApply,
                  {report(1, R"({"notes": ["slower is darker"],
                                 "record_error": "cannot write the record /r.sqlite3: full",
                                 "targets": [{"target": "tcp://p1", "status": "failed",
                                 "bytes": 0, "changed": false, "error": "no answer"}]})",
                          "q6config-cli: note: slower is darker\nFAILED tcp://p1  no answer\n")},
                  R"({"changed": false, "sent": [], "bytes": 0, "failed": true,
                      "msg": "no answer",
                      "record_warning": "cannot write the record /r.sqlite3: full",
                      "warnings": ["slower is darker"]})"},
        // A refusal has no report: each line the tool wrote is kept whole, its name dropped.
        ResultRow{"refused after a note",
                  kApply,
                  {report(2, "",
                          "q6config-cli: note: slower is darker\n"
                          "q6config-cli: --set \"form-feed\" is not NAME=ENTRY.\n\n")},
                  R"({"changed": false, "sent": [], "bytes": 0, "failed": true, "msg":
                      "note: slower is darker --set \"form-feed\" is not NAME=ENTRY."})"},
        // A failed target is told from its own entry; the lines for people are not read.
        ResultRow{"target failed without a reason",
                  kApply,
                  {report(1, R"({"targets": [{"target": "tcp://p1", "status": "interrupted",
                                 "bytes": 0, "changed": false}]})",
                          "q6config-cli: stopped by SIGTERM\n")},
                  R"({"changed": false, "sent": [], "bytes": 0, "failed": true,
                      "msg": "tcp://p1 was not delivered (interrupted)."})"},
        ResultRow{"report without targets",
                  kApply,
                  {report(1, R"({"targets": []})", "q6config-cli: something else\n")},
                  R"({"changed": false, "sent": [], "bytes": 0, "failed": true,
                      "msg": "q6config-cli reported no target (status 1)."})"}),
    [](const ::testing::TestParamInfo<ResultRow>& info) {
      QString name = QString::fromUtf8(info.param.name);
      name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("_"));
      return name.toStdString();
    });

}  // namespace
