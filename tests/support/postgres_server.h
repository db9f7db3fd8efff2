#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A PostgreSQL server of the tests' own, for the record on a server: its cluster, its Unix socket
// and its log in a temporary folder, listening on 127.0.0.1 at a free port. It is started by the
// first test of a test program that needs it and stopped when the program's tests end (and dies
// with the program if that crashes). initdb and postgres never run as root: when the tests do,
// they run as Debian's postgres account (nobody when there is none).
//
// Roles log in without a password over the socket and over 127.0.0.1, except the members of
// "needs_password", which must give theirs over 127.0.0.1.
namespace Q6Test {

class PrivatePostgres {
 public:
  // The server, started on its first use. Null with `unavailable` set when PostgreSQL is not
  // installed (a test skips), or with `failure` set when it is and did not start (a test fails).
  static PrivatePostgres* shared(QString* unavailable, QString* failure);

  // A server of the caller's own, which it may stop and start again; stopped when destroyed.
  static std::unique_ptr<PrivatePostgres> own(QString* unavailable, QString* failure);
  // Stops it as a crash would (immediate shutdown: the sessions are cut, nothing is waited for).
  void stopAbruptly();
  // Starts it again on the same port and folder, so that the same URIs reach it; empty when up.
  QString startAgain();

  PrivatePostgres(const PrivatePostgres&) = delete;
  PrivatePostgres& operator=(const PrivatePostgres&) = delete;
  ~PrivatePostgres();

  int port() const { return port_; }
  QString socketFolder() const { return dir_.path(); }
  // The superuser the tests administer the server as.
  static QString admin() { return QStringLiteral("q6test"); }

  // A new empty database of its own for one test or one row; empty and `failure` set when it
  // could not be made.
  QString newDatabase(QString* failure);
  // The database over the Unix socket, as `user`.
  QString socketUri(const QString& database, const QString& user = admin()) const;
  // The database over 127.0.0.1, as `user`, with a password written in the URI when one is given.
  QString tcpUri(const QString& database, const QString& user, const QString& password = {}) const;

  // Runs the statements (several, separated by ";") in `database` as the superuser: the first
  // value of the last statement's first row, or "ERROR: " and the server's words.
  QString run(const QString& database, const QString& sql) const;
  // The last lines of the server's log, for a failure's message.
  QString log() const;

 private:
  PrivatePostgres() = default;
  void stop();
  QString start();
  enum class Launch { Up, Failed, PortTaken };
  Launch launch(const QString& bin, const QStringList& runAs, QString* failure);
  QStringList runAs_;
  bool keepPort_ = false;
  QTemporaryDir dir_;
  QProcess process_;
  int port_ = 0;
  int databases_ = 0;
};

}  // namespace Q6Test
