#include "support/postgres_server.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

#include <arpa/inet.h>
#include <libpq-fe.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <mutex>

namespace Q6Test {

namespace {

// The newest installed PostgreSQL's programs, where Debian puts them; empty when there is none.
QString postgresPrograms() {
  QStringList versions =
      QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  std::sort(versions.begin(), versions.end(),
            [](const QString& a, const QString& b) { return a.toDouble() > b.toDouble(); });
  for (const QString& version : versions) {
    const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(version);
    if (QFileInfo(bin + QStringLiteral("/initdb")).isExecutable() &&
        QFileInfo(bin + QStringLiteral("/postgres")).isExecutable()) {
      return bin;
    }
  }
  return {};
}

// A port nobody listened on a moment ago.
int freePort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof addr;
  int port = 0;
  if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &length) == 0) {
    port = ntohs(addr.sin_port);
  }
  if (fd >= 0) {
    ::close(fd);
  }
  return port;
}

// The environment the server's programs run in: English messages, and none of the tester's own
// PostgreSQL settings.
QProcessEnvironment serverEnvironment() {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const QString& name : env.keys()) {
    if (name.startsWith(QLatin1String("PG"))) {
      env.remove(name);
    }
  }
  env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
  return env;
}

PrivatePostgres* instance = nullptr;

// Stops the server when the program's tests end, while the application still runs.
class Stopper : public ::testing::Environment {
 public:
  void TearDown() override {
    delete instance;
    instance = nullptr;
  }
};

}  // namespace

PrivatePostgres* PrivatePostgres::shared(QString* unavailable, QString* failure) {
  static std::mutex mutex;
  static bool tried = false;
  static QString failed;
  const std::lock_guard<std::mutex> lock(mutex);
  if (instance) {
    return instance;
  }
  if (postgresPrograms().isEmpty()) {
    *unavailable = QStringLiteral(
        "PostgreSQL is not installed (no /usr/lib/postgresql/*/bin/initdb; package postgresql)");
    return nullptr;
  }
  if (!tried) {
    tried = true;
    auto* server = new PrivatePostgres;
    failed = server->start();
    if (failed.isEmpty()) {
      instance = server;
      ::testing::AddGlobalTestEnvironment(new Stopper);
    } else {
      delete server;
    }
  }
  *failure = failed;
  return instance;
}

std::unique_ptr<PrivatePostgres> PrivatePostgres::own(QString* unavailable, QString* failure) {
  if (postgresPrograms().isEmpty()) {
    *unavailable = QStringLiteral("PostgreSQL is not installed");
    return nullptr;
  }
  std::unique_ptr<PrivatePostgres> server(new PrivatePostgres);
  *failure = server->start();
  return failure->isEmpty() ? std::move(server) : nullptr;
}

void PrivatePostgres::stopAbruptly() {
  if (process_.state() == QProcess::NotRunning) {
    return;
  }
  ::kill(static_cast<pid_t>(process_.processId()), SIGQUIT);
  if (!process_.waitForFinished(60000)) {
    process_.kill();
    process_.waitForFinished(10000);
  }
}

QString PrivatePostgres::startAgain() {
  keepPort_ = true;
  QString failure;
  const Launch launched = launch(postgresPrograms(), runAs_, &failure);
  return launched == Launch::Up          ? QString()
         : launched == Launch::PortTaken ? QStringLiteral("its port was taken meanwhile")
                                         : failure;
}

PrivatePostgres::~PrivatePostgres() {
  stop();
}

QString PrivatePostgres::start() {
  if (!dir_.isValid()) {
    return QStringLiteral("no temporary folder for the server");
  }
  const QString bin = postgresPrograms();
  QStringList runAs;
  if (::geteuid() == 0) {
    const passwd* account = ::getpwnam("postgres");
    if (!account) {
      account = ::getpwnam("nobody");
    }
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (!account || setpriv.isEmpty()) {
      return QStringLiteral(
          "running as root, with no postgres or nobody account or no setpriv "
          "to run the server as another user");
    }
    if (::chown(QFile::encodeName(dir_.path()).constData(), account->pw_uid, account->pw_gid) !=
        0) {
      return QStringLiteral("cannot give the server's folder to %1")
          .arg(QString::fromLocal8Bit(account->pw_name));
    }
    runAs = {setpriv,
             QStringLiteral("--reuid=%1").arg(account->pw_uid),
             QStringLiteral("--regid=%1").arg(account->pw_gid),
             QStringLiteral("--clear-groups"),
             QStringLiteral("--pdeathsig=KILL"),
             QStringLiteral("--")};
  }
  runAs_ = runAs;
  QProcess initdb;
  initdb.setProcessEnvironment(serverEnvironment());
  initdb.setProcessChannelMode(QProcess::MergedChannels);
  const QStringList made = runAs + QStringList{bin + QStringLiteral("/initdb"),
                                               QStringLiteral("-D"),
                                               dir_.filePath(QStringLiteral("data")),
                                               QStringLiteral("-U"),
                                               admin(),
                                               QStringLiteral("--auth=trust"),
                                               QStringLiteral("--no-sync"),
                                               QStringLiteral("--no-instructions"),
                                               QStringLiteral("--locale=C"),
                                               QStringLiteral("--encoding=UTF8")};
  initdb.start(made.first(), made.mid(1));
  if (!initdb.waitForFinished(180000) || initdb.exitStatus() != QProcess::NormalExit ||
      initdb.exitCode() != 0) {
    return QStringLiteral("initdb failed: %1").arg(QString::fromLocal8Bit(initdb.readAll()));
  }
  QFile hba(dir_.filePath(QStringLiteral("data/pg_hba.conf")));
  if (!hba.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      hba.write("local all all trust\n"
                "host all +needs_password 127.0.0.1/32 scram-sha-256\n"
                "host all all 127.0.0.1/32 trust\n") < 0) {
    return QStringLiteral("cannot write the server's pg_hba.conf");
  }
  hba.close();
  // Another process may take the chosen port in the moment between its release and the server's
  // bind; the server then stops at once, and is started once more on another port.
  for (int attempt = 0; attempt < 5; ++attempt) {
    QString failure;
    const Launch launched = launch(bin, runAs, &failure);
    if (launched == Launch::Failed) {
      return failure;
    }
    if (launched == Launch::Up) {
      const QString role =
          run(QStringLiteral("postgres"), QStringLiteral("CREATE ROLE needs_password NOLOGIN"));
      return role.startsWith(QLatin1String("ERROR")) ? role : QString();
    }
  }
  return QStringLiteral("every port chosen for the server was taken by another process first");
}

PrivatePostgres::Launch PrivatePostgres::launch(const QString& bin, const QStringList& runAs,
                                                QString* failure) {
  if (!keepPort_) {
    port_ = freePort();
  }
  const QString logFile = dir_.filePath(QStringLiteral("server.log"));
  QFile::remove(logFile);
  const QStringList command = runAs + QStringList{bin + QStringLiteral("/postgres"),
                                                  QStringLiteral("-D"),
                                                  dir_.filePath(QStringLiteral("data")),
                                                  QStringLiteral("-k"),
                                                  dir_.path(),
                                                  QStringLiteral("-p"),
                                                  QString::number(port_),
                                                  QStringLiteral("-h"),
                                                  QStringLiteral("127.0.0.1"),
                                                  QStringLiteral("-c"),
                                                  QStringLiteral("fsync=off"),
                                                  QStringLiteral("-c"),
                                                  QStringLiteral("dynamic_shared_memory_type=mmap"),
                                                  QStringLiteral("-c"),
                                                  QStringLiteral("shared_buffers=16MB"),
                                                  QStringLiteral("-c"),
                                                  QStringLiteral("max_connections=80")};
  process_.setProcessEnvironment(serverEnvironment());
  process_.setProcessChannelMode(QProcess::MergedChannels);
  process_.setStandardOutputFile(logFile);
  if (runAs.isEmpty()) {
    // The server must not outlive the tests, even when they crash (setpriv sees to it otherwise).
    process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
  }
  process_.start(command.first(), command.mid(1));
  if (!process_.waitForStarted(30000)) {
    *failure = QStringLiteral("postgres did not start: %1").arg(process_.errorString());
    return Launch::Failed;
  }
  const QByteArray ping = socketUri(QStringLiteral("postgres")).toUtf8();
  // Generous: a loaded machine (a CPU hog beside the tests) starts a server slowly.
  const QDeadlineTimer deadline(120000);
  while (!deadline.hasExpired()) {
    if (PQping(ping.constData()) == PQPING_OK) {
      return Launch::Up;
    }
    if (process_.state() == QProcess::NotRunning) {
      const QString said = log();
      if (said.contains(QLatin1String("Address already in use"))) {
        return Launch::PortTaken;
      }
      *failure = QStringLiteral("postgres stopped at once: %1").arg(said);
      return Launch::Failed;
    }
    QThread::msleep(50);
  }
  *failure = QStringLiteral("postgres did not answer within 120 s: %1").arg(log());
  stop();
  return Launch::Failed;
}

void PrivatePostgres::stop() {
  if (process_.state() == QProcess::NotRunning) {
    return;
  }
  // A fast shutdown: it ends the sessions still open instead of waiting for them.
  ::kill(static_cast<pid_t>(process_.processId()), SIGINT);
  if (!process_.waitForFinished(60000)) {
    process_.kill();
    process_.waitForFinished(10000);
  }
}

QString PrivatePostgres::newDatabase(QString* failure) {
  const QString name = QStringLiteral("t%1_%2").arg(::getpid()).arg(++databases_);
  const QString made = run(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE ") + name);
  if (made.startsWith(QLatin1String("ERROR"))) {
    *failure = made;
    return {};
  }
  return name;
}

QString PrivatePostgres::socketUri(const QString& database, const QString& user) const {
  return QStringLiteral("postgresql:///%1?host=%2&port=%3&user=%4")
      .arg(database, dir_.path())
      .arg(port_)
      .arg(user);
}

QString PrivatePostgres::tcpUri(const QString& database, const QString& user,
                                const QString& password) const {
  const QString secret =
      password.isEmpty()
          ? QString()
          : QStringLiteral(":") + QString::fromLatin1(QUrl::toPercentEncoding(password));
  // Joined, not arg()ed: an encoded password holds "%" and digits.
  return QStringLiteral("postgresql://") + user + secret + QStringLiteral("@127.0.0.1:") +
         QString::number(port_) + u'/' + database;
}

QString PrivatePostgres::run(const QString& database, const QString& sql) const {
  PGconn* conn = PQconnectdb(socketUri(database).toUtf8().constData());
  QString answer;
  if (PQstatus(conn) != CONNECTION_OK) {
    answer = QStringLiteral("ERROR: ") + QString::fromUtf8(PQerrorMessage(conn)).trimmed();
  } else {
    PGresult* result = PQexec(conn, sql.toUtf8().constData());
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
      answer =
          QStringLiteral("ERROR: ") + QString::fromUtf8(PQresultErrorMessage(result)).simplified();
    } else if (PQntuples(result) > 0 && PQnfields(result) > 0) {
      answer = QString::fromUtf8(PQgetvalue(result, 0, 0));
    }
    PQclear(result);
  }
  PQfinish(conn);
  return answer;
}

QString PrivatePostgres::log() const {
  QFile file(dir_.filePath(QStringLiteral("server.log")));
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll().right(4000)) : QString();
}

}  // namespace Q6Test
