// q6config.printers.printer as Ansible runs it: ansible-playbook on this machine (-c local) against
// a loopback printer and a record of the test's own, the task results read from the json callback.
// The module is found as the package lays it out, in the build tree's collection and, by its short
// name, in its folder of modules.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <vector>

#include "ansible/arguments.h"
#include "ansible/module.h"
#include "support/core_support.h"

namespace {

using Q6Test::hex;

// form-feed = partial-cut alone: switch 0 clears 0008 and sets 0004, then the write command.
#define PARTIAL_CUT_HEX \
  "1B 1D 23 2D 30 30 30 30 38 0A 00 1B 1D 23 2B 30 30 30 30 34 0A 00 " Q6TEST_WRITE_FRAME_HEX

// Ansible is slow to start, and slower beside a CPU hog.
constexpr int kPlaybookMs = 240000;

struct PlaybookRun {
  int code = -1;
  QString log;                       // standard error and output, for a failure's message
  std::vector<QJsonObject> results;  // localhost's result of each task, in order
};

class AnsiblePlaybook : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = QStandardPaths::findExecutable(QStringLiteral("ansible-playbook"));
    if (program_.isEmpty()) {
      GTEST_SKIP() << "ansible-playbook is not installed (scripts/install-test-deps.sh)";
    }
    ASSERT_TRUE(dir_.isValid());
    for (const char* folder : {"home", "local-tmp", "remote-tmp"}) {
      ASSERT_TRUE(QDir(dir_.path()).mkpath(QLatin1String(folder)));
    }
    ASSERT_TRUE(Q6Test::writeFile(path("ansible.cfg"), QByteArray()));
  }

  QString path(const char* name) const { return dir_.filePath(QLatin1String(name)); }

  // One play on localhost with these tasks; a playbook in JSON, which YAML reads as it is.
  PlaybookRun play(const QJsonArray& tasks, const QStringList& options = {}) {
    const QJsonArray playbook{
        QJsonObject{{"hosts", "localhost"}, {"gather_facts", false}, {"tasks", tasks}}};
    PlaybookRun run;
    if (!Q6Test::writeFile(path("play.yml"), QJsonDocument(playbook).toJson())) {
      run.log = QStringLiteral("could not write the playbook");
      return run;
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", path("home"));
    env.insert("ANSIBLE_CONFIG", path("ansible.cfg"));
    // Only the build tree's: never a collection or module installed on this machine.
    env.insert("ANSIBLE_COLLECTIONS_PATH", QStringLiteral(Q6CONFIG_ANSIBLE_BUILD));
    env.insert("ANSIBLE_LIBRARY", QStringLiteral(Q6CONFIG_ANSIBLE_BUILD "/modules"));
    env.insert("ANSIBLE_LOCAL_TEMP", path("local-tmp"));
    env.insert("ANSIBLE_REMOTE_TEMP", path("remote-tmp"));
    env.insert("ANSIBLE_NOCOLOR", "1");
    env.insert("ANSIBLE_STDOUT_CALLBACK", "json");
    env.insert("XDG_CONFIG_HOME", dir_.path());  // never the real home's stored link
    env.insert("Q6CONFIG_RECORD", path("default-record.sqlite3"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(dir_.path());
    p.start(program_, QStringList{"-i", "localhost,", "-c", "local", "-e",
                                  "ansible_python_interpreter=/usr/bin/python3"} +
                          options + QStringList{path("play.yml")});
    if (!p.waitForFinished(kPlaybookMs)) {
      p.kill();
      p.waitForFinished(20000);
      run.log =
          QStringLiteral("ansible-playbook did not finish within %1 s").arg(kPlaybookMs / 1000);
      return run;
    }
    const QByteArray out = p.readAllStandardOutput();
    run.code = p.exitCode();
    run.log = QString::fromLocal8Bit(p.readAllStandardError() + out);
    const QJsonArray plays = QJsonDocument::fromJson(out).object().value("plays").toArray();
    for (const QJsonValue& task : plays.first().toObject().value("tasks").toArray()) {
      run.results.push_back(
          task.toObject().value("hosts").toObject().value("localhost").toObject());
    }
    return run;
  }

  static QJsonObject task(const QJsonObject& arguments, const QJsonObject& more = {},
                          const char* module = Q6Ansible::kModuleName) {
    QJsonObject t = more;
    t["name"] = QStringLiteral("printer");
    t[QLatin1String(module)] = arguments;
    return t;
  }

  QTemporaryDir dir_;
  QString program_;
};

// Each name a playbook may give the module: the collection's, and the short one of earlier
// playbooks.
class AnsiblePlaybookNames : public AnsiblePlaybook,
                             public ::testing::WithParamInterface<const char*> {};

TEST_P(AnsiblePlaybookNames, BadArgumentFailsTheTaskAndSendsNothing) {
  const PlaybookRun run = play({task({{"target", "file:" + path("printer.bin")},
                                      {"model", "QLX600"},
                                      {"settings", QJsonObject{{"form-feed", "partial-cut"}}},
                                      {"colour", "red"}},
                                     {}, GetParam())});
  ASSERT_EQ(run.results.size(), 1u) << run.log.toStdString();
  const QJsonObject& r = run.results[0];
  EXPECT_EQ(r.value("failed"), QJsonValue(true)) << run.log.toStdString();
  EXPECT_TRUE(r.value("msg").toString().startsWith("unsupported parameter colour"))
      << run.log.toStdString();
  EXPECT_NE(run.code, 0);
  EXPECT_FALSE(QFile::exists(path("printer.bin")));
}

INSTANTIATE_TEST_SUITE_P(Names, AnsiblePlaybookNames,
                         ::testing::Values(Q6Ansible::kModuleName, "q6config_printer"));

TEST_F(AnsiblePlaybook, SendsOnceThenNothingChecksWithADiffAndFailsWithoutChangingTheRecord) {
  if (!Q6Ansible::runCliInProcess({QStringLiteral("--help")})
           .out.contains(QByteArrayLiteral("--changes-only"))) {
    GTEST_SKIP() << "q6config-cli here has no --changes-only yet";
  }
  Q6Test::TcpSink printer;
  const QString target = QStringLiteral("tcp://127.0.0.1:%1").arg(printer.port());
  const auto arguments = [&](const QString& to, const char* formFeed) {
    return QJsonObject{{"target", to},
                       {"model", "QLX600"},
                       {"settings", QJsonObject{{"form-feed", formFeed}}},
                       {"record", path("record.sqlite3")},
                       {"timeout_ms", 20000}};
  };

  // Twice the same: the first sends, the second finds it in the record and opens nothing.
  const PlaybookRun twice =
      play({task(arguments(target, "partial-cut")), task(arguments(target, "partial-cut"))});
  ASSERT_EQ(twice.results.size(), 2u) << twice.log.toStdString();
  const QJsonObject& first = twice.results[0];
  EXPECT_EQ(first.value("changed"), QJsonValue(true)) << twice.log.toStdString();
  EXPECT_FALSE(first.value("failed").toBool()) << twice.log.toStdString();
  EXPECT_EQ(first.value("sent").toArray(), QJsonArray{"form-feed"});
  EXPECT_EQ(first.value("bytes").toInteger(), hex(PARTIAL_CUT_HEX).size());
  const QJsonObject& second = twice.results[1];
  EXPECT_EQ(second.value("changed"), QJsonValue(false)) << twice.log.toStdString();
  EXPECT_FALSE(second.value("failed").toBool()) << twice.log.toStdString();
  EXPECT_EQ(second.value("bytes").toInteger(), 0);
  EXPECT_EQ(twice.code, 0) << twice.log.toStdString();
  EXPECT_EQ(printer.received(1, 30000), hex(PARTIAL_CUT_HEX));

  // Another entry in check mode: the diff names that setting alone, and nothing goes out.
  const PlaybookRun check =
      play({task(arguments(target, "full-cut"))}, {QStringLiteral("--check"), "--diff"});
  ASSERT_EQ(check.results.size(), 1u) << check.log.toStdString();
  EXPECT_EQ(check.results[0].value("changed"), QJsonValue(true)) << check.log.toStdString();
  EXPECT_EQ(
      check.results[0].value("diff").toObject(),
      (QJsonObject{{"before", "form-feed: partial-cut\n"}, {"after", "form-feed: full-cut\n"}}))
      << check.log.toStdString();
  EXPECT_EQ(printer.received(1, 30000), hex(PARTIAL_CUT_HEX));

  // A printer that refuses the connection: the task fails saying so, and afterwards the record
  // still shows that printer without the setting and the first printer with it.
  const Q6Test::ClosedPort closed;
  const QString refusing = QStringLiteral("tcp://127.0.0.1:%1").arg(closed.port());
  const PlaybookRun failing =
      play({task(arguments(refusing, "partial-cut"), {{"ignore_errors", true}}),
            task(arguments(refusing, "partial-cut"), {{"check_mode", true}}),
            task(arguments(target, "partial-cut"), {{"check_mode", true}})});
  ASSERT_EQ(failing.results.size(), 3u) << failing.log.toStdString();
  const QJsonObject& refused = failing.results[0];
  EXPECT_EQ(refused.value("failed"), QJsonValue(true)) << failing.log.toStdString();
  EXPECT_TRUE(refused.value("msg").toString().contains(QStringLiteral("127.0.0.1")))
      << failing.log.toStdString();
  EXPECT_TRUE(
      refused.value("msg").toString().contains(QStringLiteral("refused"), Qt::CaseInsensitive))
      << failing.log.toStdString();
  EXPECT_EQ(refused.value("bytes").toInteger(), 0);
  EXPECT_EQ(failing.results[1].value("changed"), QJsonValue(true)) << failing.log.toStdString();
  EXPECT_EQ(failing.results[2].value("changed"), QJsonValue(false)) << failing.log.toStdString();
  EXPECT_EQ(printer.received(1, 30000), hex(PARTIAL_CUT_HEX));
}

}  // namespace
