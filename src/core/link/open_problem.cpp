#include "core/link/open_problem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <dirent.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace Orvanel {

namespace {

// The print server runs its USB backend under this name; it keeps the printer's node open for as
// long as a job of its queue is printing.
const QString kUsbBackend = QStringLiteral("usb");

QString shellWord(const QString& text) {
  static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./:@%+,=-]+$"));
  if (plain.match(text).hasMatch()) {
    return text;
  }
  QString quoted = text;
  quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
  return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString groupText(const FileFacts& f) {
  return f.groupName.isEmpty() ? QString::number(f.group) : f.groupName;
}

QString ownerText(const FileFacts& f) {
  return f.ownerName.isEmpty() ? QString::number(f.owner) : f.ownerName;
}

// Whether the permission class at `shift` (6 owner, 3 group, 0 others) grants what is wanted.
bool grants(const FileFacts& f, int shift) {
  return ((static_cast<int>(f.mode) >> shift) & f.wanted) == f.wanted;
}

QString permissionHint(const QString& path, const FileFacts& f, const UserGroups& user) {
  // Said of the folder when it is the folder that stops us, so the advice fits what is shown.
  const QString subject =
      f.folder ? QStringLiteral("The folder %1 (on the way to %2)").arg(f.path, path) : f.path;
  const QString verb = f.wanted == 1 ? QStringLiteral("entered") : QStringLiteral("written");
  const QString userName = user.name.isEmpty() ? QString::number(user.uid) : user.name;
  const QString policy = QStringLiteral(
                             "%1 may be %2 by you as far as its permissions go, so an access list "
                             "or a security policy stops it; ask the administrator.")
                             .arg(subject, verb);
  if (user.uid == f.owner) {
    if (grants(f, 6)) {
      return policy;
    }
    const QString bits = QStringLiteral("u+") + (f.wanted & 2 ? QStringLiteral("w") : QString()) +
                         (f.wanted & 1 ? QStringLiteral("x") : QString());
    return QStringLiteral("%1 is yours but may not be %2; allow it with `chmod %3 %4`.")
        .arg(subject, verb, bits, shellWord(f.path));
  }
  // The group root is for the system itself: joining it is no advice to give anybody.
  if (f.group != 0 && grants(f, 3)) {
    const QString group = groupText(f);
    if (user.active.contains(f.group)) {
      return policy;
    }
    if (user.listed.contains(f.group)) {
      return QStringLiteral(
                 "%1 belongs to the group %2, and you (%3) are in it, but this login started "
                 "before you joined: log out and in again (or, in this terminal only, run "
                 "`newgrp %2` first).")
          .arg(subject, group, userName);
    }
    return QStringLiteral(
               "%1 belongs to the group %2; add yourself to it with `sudo usermod -aG %2 %3` and "
               "log in again.")
        .arg(subject, group, shellWord(userName));
  }
  if (grants(f, 0)) {
    return policy;
  }
  // Here the group, if it may, is root, and the others may not.
  QStringList who;
  if (grants(f, 6)) {
    who << QStringLiteral("its owner %1").arg(ownerText(f));
  }
  if (grants(f, 3)) {
    who << QStringLiteral("the group %1").arg(groupText(f));
  }
  const QString only =
      who.isEmpty()
          ? QStringLiteral("%1 may not be %2 by anyone but the administrator").arg(subject, verb)
          : QStringLiteral("%1 may be %2 only by %3")
                .arg(subject, verb, who.join(QStringLiteral(" and ")));
  if (f.device) {
    return only + QStringLiteral(
                      ": ask the administrator for access, such as a udev rule that gives the "
                      "device to a group you can join (printers usually belong to the group lp, "
                      "serial ports to dialout).");
  }
  return only + QStringLiteral(
                    ": ask %1 or the administrator for access, or use a file of your "
                    "own.")
                    .arg(ownerText(f));
}

QString busyHint(const QString& path, const QList<DeviceHolder>& holders) {
  if (holders.isEmpty()) {
    return QStringLiteral(
               "Another program has %1 open, often the print server's USB backend while a printer "
               "queue uses this printer: send through that queue instead, or wait until the "
               "other program is done (or stop it) and try again.")
        .arg(path);
  }
  QStringList names;
  bool backend = false;
  for (const DeviceHolder& h : holders) {
    names << (h.command.isEmpty()
                  ? QStringLiteral("process %1").arg(h.pid)
                  : QStringLiteral("%1 (process %2)").arg(h.command, QString::number(h.pid)));
    backend = backend || h.command == kUsbBackend;
  }
  QString text = QStringLiteral("%1 is in use by %2. ").arg(path, names.join(QStringLiteral(", ")));
  if (backend) {
    text += QStringLiteral(
        "usb is the print server's USB backend, printing a job of the queue that uses this "
        "printer: send through that queue instead, or wait until its job is done.");
  } else {
    text += QStringLiteral("Wait until it is done or stop it, then try again.");
  }
  return text;
}

// getpwuid and getgrgid hand out one buffer for the whole process; the tool opens its targets on
// several threads at once.
QString userName(uid_t uid, gid_t* group = nullptr) {
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  while (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == ERANGE &&
         buffer.size() < (1u << 20)) {
    buffer.resize(buffer.size() * 2);
  }
  if (found == nullptr) {
    return QString();
  }
  if (group) {
    *group = found->pw_gid;
  }
  return QString::fromLocal8Bit(found->pw_name);
}

QString groupName(gid_t gid) {
  std::vector<char> buffer(16384);
  group entry{};
  group* found = nullptr;
  while (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == ERANGE &&
         buffer.size() < (1u << 20)) {
    buffer.resize(buffer.size() * 2);
  }
  return found ? QString::fromLocal8Bit(found->gr_name) : QString();
}

QString readLink(const QByteArray& link) {
  char target[4096];
  const ssize_t n = ::readlink(link.constData(), target, sizeof target);
  return n > 0 ? QFile::decodeName(QByteArray(target, static_cast<int>(n))) : QString();
}

}  // namespace

QString openProblemHint(int error, const QString& path, const std::optional<FileFacts>& facts,
                        const UserGroups& user, const QList<DeviceHolder>& holders) {
  switch (error) {
    case EACCES:
    case EPERM:
      return facts ? permissionHint(path, *facts, user)
                   : QStringLiteral("Ask the administrator for access to %1.").arg(path);
    case EBUSY:
      return busyHint(path, holders);
    default:
      break;
  }
  return QString();
}

std::optional<FileFacts> fileFacts(const QString& path) {
  if (path.isEmpty()) {
    return std::nullopt;
  }
  FileFacts f;
  f.path = QFileInfo(path).absoluteFilePath();
  struct stat info {};
  while (::stat(QFile::encodeName(f.path).constData(), &info) != 0) {
    const int error = errno;
    if (error != ENOENT && error != EACCES) {
      return std::nullopt;
    }
    const QString up = QFileInfo(f.path).absolutePath();
    if (up == f.path) {
      return std::nullopt;
    }
    // A file yet to be made needs a folder it may write in; any other folder needs searching only.
    f.wanted = !f.folder && error == ENOENT ? 3 : 1;
    f.folder = true;
    f.path = up;
  }
  f.device = !f.folder && S_ISCHR(info.st_mode);
  f.owner = info.st_uid;
  f.group = info.st_gid;
  f.mode = info.st_mode & 07777;
  f.ownerName = userName(f.owner);
  f.groupName = groupName(f.group);
  return f;
}

UserGroups currentUserGroups() {
  UserGroups user;
  user.uid = ::geteuid();
  gid_t primary = ::getegid();
  user.name = userName(user.uid, &primary);
  if (!user.name.isEmpty()) {
    const QByteArray name = user.name.toLocal8Bit();
    std::vector<gid_t> listed(64);
    int count = static_cast<int>(listed.size());
    while (::getgrouplist(name.constData(), primary, listed.data(), &count) < 0 &&
           count > static_cast<int>(listed.size())) {
      listed.resize(static_cast<size_t>(count));
    }
    for (int i = 0; i < count && i < static_cast<int>(listed.size()); ++i) {
      user.listed << listed[static_cast<size_t>(i)];
    }
  }
  const int count = ::getgroups(0, nullptr);
  std::vector<gid_t> active(static_cast<size_t>(std::max(count, 0)));
  const int got = active.empty() ? 0 : ::getgroups(count, active.data());
  for (int i = 0; i < got; ++i) {
    user.active << active[static_cast<size_t>(i)];
  }
  user.active << ::getegid();
  return user;
}

QList<DeviceHolder> deviceHolders(const QString& path, const QString& procRoot) {
  QList<DeviceHolder> holders;
  const QString wanted = QFileInfo(path).canonicalFilePath();
  if (wanted.isEmpty()) {
    return holders;
  }
  const QDir proc(procRoot);
  const qint64 self = ::getpid();
  // Others' descriptors stay hidden unless we are root: what cannot be read is passed over.
  for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    bool number = false;
    const qint64 pid = entry.toLongLong(&number);
    if (!number || pid == self) {
      continue;
    }
    const QString fds = proc.filePath(entry) + QStringLiteral("/fd");
    DIR* dir = ::opendir(QFile::encodeName(fds).constData());
    if (dir == nullptr) {
      continue;
    }
    bool holds = false;
    while (const dirent* fd = ::readdir(dir)) {
      if (fd->d_name[0] != '.' &&
          readLink(QFile::encodeName(fds) + '/' + QByteArray(fd->d_name)) == wanted) {
        holds = true;
        break;
      }
    }
    ::closedir(dir);
    if (holds) {
      QFile comm(proc.filePath(entry) + QStringLiteral("/comm"));
      const QString command = comm.open(QIODevice::ReadOnly)
                                  ? QString::fromLocal8Bit(comm.read(64)).trimmed()
                                  : QString();
      holders << DeviceHolder{pid, command};
    }
  }
  std::sort(holders.begin(), holders.end(),
            [](const DeviceHolder& a, const DeviceHolder& b) { return a.pid < b.pid; });
  return holders;
}

QString openProblemHintFor(int error, const QString& path) {
  if (error != EACCES && error != EPERM && error != EBUSY) {
    return QString();  // nothing to probe for
  }
  return openProblemHint(error, path, fileFacts(path), currentUserGroups(),
                         error == EBUSY ? deviceHolders(path) : QList<DeviceHolder>());
}

QString withOpenHint(const QString& message, int error, const QString& path) {
  const QString hint = openProblemHintFor(error, path);
  return hint.isEmpty() ? message : message + QStringLiteral(". ") + hint;
}

}  // namespace Orvanel
