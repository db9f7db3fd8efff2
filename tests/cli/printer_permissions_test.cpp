// A printer the user may not open: q6config-cli, run as a user of the test's own making, says in
// its FAILED line and in the report's "error" which group to join and how, that a group just
// joined needs a new login, whom to ask, or which program holds the device.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <fcntl.h>
#include <grp.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "support/core_support.h"
#include "support/link_fixtures.h"

namespace {

struct PermissionRow {
  const char* name;
  const char* scheme;  // how the target is reached: file: or serial:
  const char* group;   // owner root, this group
  mode_t mode;
  bool listed;      // the account is listed in the group...
  bool freshLogin;  // ...and the run has the groups of a login begun now
  bool busy;  // the target is a terminal another program of the user holds exclusively instead
  // The whole error; {path}, {user} and {pid} (the holder's) are filled in.
  const char* error;
};

void PrintTo(const PermissionRow& r, std::ostream* os) {
  *os << r.name;
}

// A terminal that refuses a second opening (TIOCEXCL), kept open by a program running as the user:
// the device node of a printer the print server's backend is printing to, as far as opening goes.
class HeldTerminal {
 public:
  bool start(const Q6Test::ThrowawayUser& user, QString* failure) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
      *failure = QStringLiteral("no pseudo-terminal: %1").arg(std::strerror(errno));
      return false;
    }
    path_ = QString::fromLocal8Bit(::ptsname(master_));
    const QByteArray name = QFile::encodeName(path_);
    slave_ = ::open(name.constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    // Root may open it anyway; the user, who may write to it, may not while it is held.
    if (slave_ < 0 || ::ioctl(slave_, TIOCEXCL) != 0 ||
        ::chown(name.constData(), user.uid(), user.gid()) != 0) {
      *failure = QStringLiteral("cannot hold %1: %2").arg(path_, std::strerror(errno));
      return false;
    }
    holder_.setStandardInputFile(path_);
    const QStringList command = user.runAs(true) + QStringList{QStringLiteral("sleep"), "600"};
    holder_.start(command[0], command.mid(1));
    // The holder counts once it is sleep itself, with the terminal as its input.
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 20000) {
      QFile comm(QStringLiteral("/proc/%1/comm").arg(holder_.processId()));
      if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "sleep") {
        return true;
      }
      QThread::msleep(20);
    }
    *failure = QStringLiteral("the holder did not start");
    return false;
  }
  ~HeldTerminal() {
    if (holder_.state() != QProcess::NotRunning) {
      holder_.kill();
      holder_.waitForFinished(20000);
    }
    for (int fd : {slave_, master_}) {
      if (fd >= 0) {
        ::close(fd);
      }
    }
  }
  QString path() const { return path_; }
  qint64 pid() const { return holder_.processId(); }

 private:
  int master_ = -1;
  int slave_ = -1;
  QString path_;
  QProcess holder_;
};

class PrinterPermissions : public ::testing::TestWithParam<PermissionRow> {};

TEST_P(PrinterPermissions, TheErrorSaysHowToGetIn) {
  const PermissionRow& row = GetParam();
  if (const QString why = Q6Test::ThrowawayUser::unavailableReason(); !why.isEmpty()) {
    GTEST_SKIP() << why.toStdString();
  }
  const group* owning = ::getgrnam(row.group);
  if (owning == nullptr) {
    GTEST_SKIP() << "this machine has no group " << row.group;
  }
  const gid_t gid = owning->gr_gid;
  Q6Test::ThrowawayUser user;
  ASSERT_TRUE(user.made()) << user.failure().toStdString();
  if (!user.mayRun(Q6CONFIG_CLI_PATH)) {
    GTEST_SKIP() << "the build folder is closed to other users: " Q6CONFIG_CLI_PATH;
  }
  if (row.listed) {
    ASSERT_TRUE(user.join(QString::fromLatin1(row.group))) << user.failure().toStdString();
  }
  // A folder the user may search, holding the printer's stand-in.
  QTemporaryDir dir;
  ASSERT_TRUE(QFile::setPermissions(
      dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                      QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup));
  QString path = dir.filePath(QStringLiteral("lp0"));
  HeldTerminal held;
  if (row.busy) {
    QString failure;
    if (!held.start(user, &failure)) {
      GTEST_SKIP() << failure.toStdString();
    }
    path = held.path();
  } else {
    ASSERT_TRUE(Q6Test::writeFile(path, QByteArray()));
    const QByteArray name = QFile::encodeName(path);
    ASSERT_EQ(::chown(name.constData(), 0, gid), 0) << std::strerror(errno);
    ASSERT_EQ(::chmod(name.constData(), row.mode), 0) << std::strerror(errno);
  }

  const QString target = QString::fromLatin1(row.scheme) + path;
  QProcess cli;
  cli.setProcessEnvironment(user.environment());
  const QStringList command =
      user.runAs(row.freshLogin) +
      QStringList{Q6CONFIG_CLI_PATH, "test", "line-feed", "--json", "-", "--to", target};
  cli.start(command[0], command.mid(1));
  ASSERT_TRUE(cli.waitForFinished(60000));
  const QByteArray report = cli.readAllStandardOutput();
  const QString said = QString::fromUtf8(cli.readAllStandardError());
  EXPECT_EQ(cli.exitCode(), 1) << said.toStdString();

  const QString error = QString::fromUtf8(row.error)
                            .replace(QStringLiteral("{path}"), path)
                            .replace(QStringLiteral("{user}"), user.name())
                            .replace(QStringLiteral("{pid}"), QString::number(held.pid()));
  EXPECT_TRUE(said.contains(QStringLiteral("FAILED %1: %2\n").arg(target, error)))
      << said.toStdString() << "\n  lacks: " << error.toStdString();
  const QJsonArray targets = QJsonDocument::fromJson(report).object()["targets"].toArray();
  ASSERT_EQ(targets.size(), 1) << report.toStdString();
  EXPECT_EQ(targets[0].toObject()["error"].toString(), error);
  if (!row.busy) {
    EXPECT_EQ(QFileInfo(path).size(), 0);  // not a byte got through
  }
}

INSTANTIATE_TEST_SUITE_P(
    Users, PrinterPermissions,
    ::testing::Values(
        PermissionRow{"NotInTheGroupLp", "file:", "lp", 0660, false, true, false,
                      "Could not open the printer file {path}: Permission denied. {path} belongs "
                      "to the group lp; add yourself to it with `sudo usermod -aG lp {user}` and "
                      "log in again."},
        PermissionRow{"SerialPortOfTheGroupDialout", "serial:", "dialout", 0660, false, true, false,
                      "Could not open the serial port {path}: Permission denied. {path} belongs "
                      "to the group dialout; add yourself to it with `sudo usermod -aG dialout "
                      "{user}` and log in again."},
        PermissionRow{"JoinedLpAfterThisLoginBegan", "file:", "lp", 0660, true, false, false,
                      "Could not open the printer file {path}: Permission denied. {path} belongs "
                      "to the group lp, and you ({user}) are in it, but this login started before "
                      "you joined: log out and in again (or, in this terminal only, run `newgrp "
                      "lp` first)."},
        PermissionRow{"OnlyRootAndItsGroup", "file:", "root", 0660, false, true, false,
                      "Could not open the printer file {path}: Permission denied. {path} may be "
                      "written only by its owner root and the group root: ask root or the "
                      "administrator for access, or use a file of your own."},
        PermissionRow{"HeldByAnotherProgram", "file:", "root", 0, false, true, true,
                      "Could not open the printer file {path}: Device or resource busy. {path} is "
                      "in use by sleep (process {pid}). Wait until it is done or stop it, then "
                      "try again."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
