// What the link adds when a printer file or port would not open, for the cases a test cannot make
// for real as root (the tool's own tests run it as a user of their making): from what the system
// tells to the words, and which processes hold a device, read from a /proc laid out by the test.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include <cerrno>
#include <optional>

#include "core/link/open_problem.h"
#include "support/core_support.h"

namespace {

using Orvanel::DeviceHolder;
using Orvanel::FileFacts;
using Orvanel::UserGroups;

constexpr uid_t kUser = 1000;
constexpr gid_t kLp = 7;

FileFacts device(uid_t owner, gid_t group, const char* groupName, mode_t mode) {
  FileFacts f;
  f.path = QStringLiteral("/dev/usb/lp0");
  f.device = true;
  f.owner = owner;
  f.ownerName = owner == 0 ? QStringLiteral("root") : QStringLiteral("ann");
  f.group = group;
  f.groupName = QString::fromLatin1(groupName);
  f.mode = mode;
  return f;
}

FileFacts spoolFolder() {
  FileFacts f;
  f.path = QStringLiteral("/var/spool/tickets");
  f.folder = true;
  f.ownerName = QStringLiteral("root");
  f.groupName = QStringLiteral("root");
  f.mode = 0755;
  f.wanted = 3;
  return f;
}

struct HintRow {
  const char* name;
  int error;
  const char* path;
  std::optional<FileFacts> facts;
  QList<gid_t> listed;
  QList<gid_t> active;
  QList<DeviceHolder> holders;
  const char* hint;  // empty: nothing is added
};

TEST(OpenProblem, TheHintFitsWhatTheSystemTells) {
  const HintRow rows[] = {
      {"GroupWithoutAName",
       EACCES,
       "/dev/usb/lp0",
       device(0, 4242, "", 0660),
       {1000},
       {1000},
       {},
       "/dev/usb/lp0 belongs to the group 4242; add yourself to it with `sudo usermod -aG 4242 "
       "ann` "
       "and log in again."},
      {"RefusedByPolicyThoughInTheGroup",
       EPERM,
       "/dev/usb/lp0",
       device(0, kLp, "lp", 0660),
       {1000, kLp},
       {1000, kLp},
       {},
       "/dev/usb/lp0 may be written by you as far as its permissions go, so an access list or a "
       "security policy stops it; ask the administrator."},
      {"DeviceOnlyRootMayWrite",
       EACCES,
       "/dev/usb/lp0",
       device(0, kLp, "lp", 0640),
       {1000},
       {1000},
       {},
       "/dev/usb/lp0 may be written only by its owner root: ask the administrator for access, "
       "such as a udev rule that gives the device to a group you can join (printers usually "
       "belong to the group lp, serial ports to dialout)."},
      {"NobodyMayWrite",
       EACCES,
       "/dev/usb/lp0",
       device(0, 0, "root", 0444),
       {1000},
       {1000},
       {},
       "/dev/usb/lp0 may not be written by anyone but the administrator: ask the administrator "
       "for access, such as a udev rule that gives the device to a group you can join (printers "
       "usually belong to the group lp, serial ports to dialout)."},
      {"OwnFileNotWritable",
       EACCES,
       "/home/ann/my tickets.prn",
       [] {
         FileFacts f = device(kUser, 1000, "ann", 0444);
         f.path = QStringLiteral("/home/ann/my tickets.prn");
         f.device = false;
         return f;
       }(),
       {1000},
       {1000},
       {},
       "/home/ann/my tickets.prn is yours but may not be written; allow it with `chmod u+w "
       "'/home/ann/my tickets.prn'`."},
      {"FolderToMakeTheFileIn",
       EACCES,
       "/var/spool/tickets/q6.prn",
       spoolFolder(),
       {1000},
       {1000},
       {},
       "The folder /var/spool/tickets (on the way to /var/spool/tickets/q6.prn) may be written "
       "only by its owner root: ask root or the administrator for access, or use a file of your "
       "own."},
      {"NothingKnown",
       EACCES,
       "/dev/usb/lp0",
       std::nullopt,
       {},
       {},
       {},
       "Ask the administrator for access to /dev/usb/lp0."},
      {"HeldByThePrintServersBackend",
       EBUSY,
       "/dev/usb/lp0",
       std::nullopt,
       {},
       {},
       {{812, QStringLiteral("usb")}},
       "/dev/usb/lp0 is in use by usb (process 812). usb is the print server's USB backend, "
       "printing a job of the queue that uses this printer: send through that queue instead, or "
       "wait until its job is done."},
      {"HeldByTwo",
       EBUSY,
       "/dev/ttyUSB0",
       std::nullopt,
       {},
       {},
       {{77, QStringLiteral("minicom")}, {912, QString()}},
       "/dev/ttyUSB0 is in use by minicom (process 77), process 912. Wait until it is done or stop "
       "it, then try again."},
      {"HolderUnseen",
       EBUSY,
       "/dev/usb/lp0",
       std::nullopt,
       {},
       {},
       {},
       "Another program has /dev/usb/lp0 open, often the print server's USB backend while a "
       "printer queue uses this printer: send through that queue instead, or wait until the other "
       "program is done (or stop it) and try again."},
      {"NotAPermissionProblem",
       ENOENT,
       "/dev/usb/lp0",
       device(0, kLp, "lp", 0660),
       {1000},
       {1000},
       {},
       ""},
  };
  for (const HintRow& row : rows) {
    SCOPED_TRACE(row.name);
    const UserGroups user{kUser, QStringLiteral("ann"), row.listed, row.active};
    EXPECT_EQ(Orvanel::openProblemHint(row.error, QString::fromUtf8(row.path), row.facts, user,
                                       row.holders),
              QString::fromUtf8(row.hint));
  }
}

// The processes holding a device, from a /proc of the test's making: one descriptor of each points
// at what it has open, unreadable ones are passed over.
TEST(OpenProblem, HoldersAreTheProcessesWithTheDeviceOpen) {
  QTemporaryDir root;
  const QString node = root.filePath(QStringLiteral("dev/usb/lp0"));
  const QString other = root.filePath(QStringLiteral("dev/usb/lp1"));
  ASSERT_TRUE(QDir().mkpath(root.filePath(QStringLiteral("dev/usb"))));
  ASSERT_TRUE(Q6Test::writeFile(node, QByteArray()) && Q6Test::writeFile(other, QByteArray()));
  // Opened through another name, as /dev/lp0 a symbolic link to the node would be.
  const QString alias = root.filePath(QStringLiteral("dev/printer"));
  ASSERT_TRUE(QFile::link(node, alias));
  const QString proc = root.filePath(QStringLiteral("proc"));
  const struct {
    const char* pid;
    const char* comm;  // nullptr: none to read
    QStringList fds;   // what each descriptor points at
  } processes[] = {
      {"812", "usb\n", {other, "socket:[4711]", node}},
      {"77", "lp-watch\n", {other}},
      {"900", nullptr, {node}},
      {"self", "q6config-cli\n", {node}},
  };
  for (const auto& p : processes) {
    const QString dir = proc + QLatin1Char('/') + QString::fromLatin1(p.pid);
    ASSERT_TRUE(QDir().mkpath(dir + QStringLiteral("/fd")));
    if (p.comm) {
      ASSERT_TRUE(Q6Test::writeFile(dir + QStringLiteral("/comm"), p.comm));
    }
    for (int i = 0; i < p.fds.size(); ++i) {
      ASSERT_TRUE(QFile::link(p.fds[i], dir + QStringLiteral("/fd/%1").arg(i + 3)));
    }
  }
  const QList<DeviceHolder> expected{{812, QStringLiteral("usb")}, {900, QString()}};
  EXPECT_EQ(Orvanel::deviceHolders(node, proc), expected);
  EXPECT_EQ(Orvanel::deviceHolders(alias, proc), expected);
  EXPECT_EQ(Orvanel::deviceHolders(other, proc),
            (QList<DeviceHolder>{{77, QStringLiteral("lp-watch")}, {812, QStringLiteral("usb")}}));
  EXPECT_TRUE(Orvanel::deviceHolders(root.filePath(QStringLiteral("dev/none")), proc).isEmpty());
}

// A file that is not there yet is judged by the folder it would be made in, which must be writable;
// above a missing folder, the nearest folder there is needs searching only.
TEST(OpenProblem, FactsOfAFileYetToBeMadeAreThoseOfItsFolder) {
  QTemporaryDir root;
  const QString file = root.filePath(QStringLiteral("capture.prn"));
  ASSERT_TRUE(Q6Test::writeFile(file, QByteArray()));
  ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
  const struct {
    QString path;
    QString examined;
    bool folder;
    int wanted;
  } rows[] = {
      {file, file, false, 2},
      {root.filePath(QStringLiteral("new.prn")), root.path(), true, 3},
      {root.filePath(QStringLiteral("missing/new.prn")), root.path(), true, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path.toStdString());
    const std::optional<FileFacts> facts = Orvanel::fileFacts(row.path);
    ASSERT_TRUE(facts.has_value());
    EXPECT_EQ(facts->path, row.examined);
    EXPECT_EQ(facts->folder, row.folder);
    EXPECT_EQ(facts->wanted, row.wanted);
    EXPECT_FALSE(facts->device);
    EXPECT_EQ(facts->owner, ::geteuid());
  }
  EXPECT_EQ(Orvanel::fileFacts(file)->mode, mode_t{0640});
}

}  // namespace
