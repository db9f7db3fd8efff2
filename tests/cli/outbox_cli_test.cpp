// q6config-cli with a shared record whose server goes away: every printer still gets its bytes,
// the run says so once, its entries wait in the outbox, and `record sync` carries them over so
// that `state` says what the printers got. `record copy` copies a record file once however often
// it runs.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <memory>
#include <vector>

#include "support/core_support.h"
#include "support/postgres_server.h"

namespace {

struct Ran {
  int code = -1;
  QString out;
  QString err;
};

class OutboxCli : public ::testing::Test {
 protected:
  void SetUp() override {
    QString unavailable, failure;
    server = Q6Test::PrivatePostgres::own(&unavailable, &failure);
    if (!server && !unavailable.isEmpty()) {
      GTEST_SKIP() << unavailable.toStdString();
    }
    ASSERT_TRUE(server) << failure.toStdString();
    database = server->newDatabase(&failure);
    ASSERT_FALSE(database.isEmpty()) << failure.toStdString();
    uri = server->socketUri(database);
  }
  QProcess* start(const QStringList& args) {
    auto* p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_STATE_HOME", state.path());
    env.remove("Q6CONFIG_RECORD");
    p->setProcessEnvironment(env);
    p->start(Q6CONFIG_CLI_PATH, args);
    p->closeWriteChannel();
    return p;
  }
  Ran finish(QProcess* p) {
    EXPECT_TRUE(p->waitForFinished(180000));
    Ran r{p->exitCode(), QString::fromUtf8(p->readAllStandardOutput()),
          QString::fromUtf8(p->readAllStandardError())};
    delete p;
    return r;
  }
  Ran cli(const QStringList& args) { return finish(start(args)); }
  QString ask(const QString& sql) const { return server->run(database, sql); }

  std::unique_ptr<Q6Test::PrivatePostgres> server;
  QString database;
  QString uri;
  QTemporaryDir state;
};

// Stopped before the run, or once the run has delivered to its first printer (its other entries
// begun on the server, their completions still to come).
TEST_F(OutboxCli, EveryPrinterGetsItsBytesAndTheRecordCatchesUp) {
  const struct {
    const char* name;
    bool midRun;
  } rows[] = {{"stopped before the run", false}, {"stopped mid-run", true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_EQ(cli({"record", "sync", "--record", uri}).code, 0);  // the schema, while it is up
    std::vector<std::unique_ptr<Q6Test::TcpSink>> printers;
    QStringList targets;
    for (int i = 0; i < 8; ++i) {
      printers.push_back(std::make_unique<Q6Test::TcpSink>(Q6Test::TcpSink::Mode::SlowToEnd));
      targets << QStringLiteral("tcp://127.0.0.1:%1").arg(printers.back()->port());
    }
    const QString density = row.midRun ? QStringLiteral("full-cut") : QStringLiteral("partial-cut");
    if (!row.midRun) {
      server->stopAbruptly();
    }
    QProcess* run =
        start(QStringList{"apply", "--model", "QLX600", "--set", "form-feed=" + density, "--jobs",
                          "1", "--timeout", "20000", "--json", "-", "--record", uri, "--to"} +
              targets);
    if (row.midRun) {
      QDeadlineTimer first(120000);
      while (ask(QStringLiteral("SELECT count(*) FROM q6config_entries WHERE outcome = "
                                "'delivered' AND settings = 'form-feed=%1'")
                     .arg(density)) == QStringLiteral("0") &&
             !first.hasExpired()) {
        QThread::msleep(10);
      }
      server->stopAbruptly();
    }
    const Ran ran = finish(run);
    EXPECT_EQ(ran.code, 0) << ran.err.toStdString();
    EXPECT_EQ(ran.err.count(QStringLiteral("cannot be reached")), 1) << ran.err.toStdString();
    for (const auto& printer : printers) {
      EXPECT_FALSE(printer->received(1, 30000).isEmpty());
    }
    const QJsonObject report = QJsonDocument::fromJson(ran.out.toUtf8()).object();
    EXPECT_TRUE(report.value(QStringLiteral("record_away")).toBool()) << ran.out.toStdString();
    EXPECT_EQ(report.value(QStringLiteral("delivered")).toInt(), 8);
    const QString outbox = report.value(QStringLiteral("record_outbox")).toString();
    EXPECT_TRUE(outbox.startsWith(state.path())) << outbox.toStdString();

    ASSERT_EQ(server->startAgain(), QString());
    const Ran synced = cli({"record", "sync", "--record", uri});
    EXPECT_EQ(synced.code, 0) << synced.err.toStdString();
    EXPECT_TRUE(synced.out.startsWith(QStringLiteral("carried "))) << synced.out.toStdString();
    EXPECT_EQ(ask(QStringLiteral("SELECT count(*) FROM q6config_entries WHERE settings = "
                                 "'form-feed=%1' AND outcome = 'delivered'")
                      .arg(density)),
              QStringLiteral("8"));
    const Ran read = cli(QStringList{"state", "--json", "-", "--record", uri, "--to"} + targets);
    ASSERT_EQ(read.code, 0) << read.err.toStdString();
    const QJsonArray states =
        QJsonDocument::fromJson(read.out.toUtf8()).object().value("printers").toArray();
    ASSERT_EQ(states.size(), 8);
    for (const QJsonValue& printer : states) {
      for (const QJsonValue& setting : printer.toObject().value("settings").toArray()) {
        if (setting.toObject().value("setting").toString() == QLatin1String("form-feed")) {
          EXPECT_EQ(setting.toObject().value("value").toString(), density);
        }
      }
    }
  }
}

// A record file copied twice is on the server once; its pending entry, completed in the file
// later, is completed there by the next copy.
TEST_F(OutboxCli, ARecordFileCopiedTwiceIsCopiedOnce) {
  Q6Test::TcpSink printer;
  const QString file = state.filePath(QStringLiteral("own.sqlite3"));
  const QString target = QStringLiteral("tcp://127.0.0.1:%1").arg(printer.port());
  const struct {
    const char* name;
    bool sendFirst;
    const char* says;
    const char* onServer;
  } rows[] = {
      {"the first copy", true, "copied 1 new entries", "1"},
      {"the same again", false, "copied 0 new entries", "1"},
      {"after another run", true, "copied 1 new entries", "2"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.sendFirst) {
      ASSERT_EQ(cli({"test", "line-feed", "--record", file, "--to", target}).code, 0);
    }
    const Ran copied = cli({"record", "copy", "--from", file, "--to", uri});
    EXPECT_EQ(copied.code, 0) << copied.err.toStdString();
    EXPECT_TRUE(copied.out.startsWith(QLatin1String(row.says))) << copied.out.toStdString();
    EXPECT_EQ(ask(QStringLiteral("SELECT count(*) FROM q6config_entries")),
              QLatin1String(row.onServer));
  }
  const Ran refused = cli({"record", "copy", "--from", uri, "--to", file});
  EXPECT_NE(refused.code, 0);
}

}  // namespace
