#pragma once

#include <QList>
#include <QString>

#include <sys/types.h>

#include <optional>

namespace Orvanel {

// A printer file or port that would not open says how to put it right. "Permission denied" alone
// leaves a new user stuck: the device node belongs to a group (lp, dialout) that the user joins
// once and that counts only from the next login; a device held by the print server needs the
// queue instead. The decision is a pure function of what the system tells; the probes beside it
// ask the system and nothing else.

// What the system shows about the file, or about the folder that stops it from being reached or
// made (when the file itself cannot be seen).
struct FileFacts {
  QString path;
  bool folder = false;
  bool device = false;  // a character device: a printer node or a serial port
  uid_t owner = 0;
  gid_t group = 0;
  QString ownerName;  // empty when the number has no name here
  QString groupName;
  mode_t mode = 0;  // the permission bits
  // What opening needs of it, as one rwx class (2 write, 1 search, 3 both): a file is written, a
  // folder is searched and, when the file is to be made in it, written.
  int wanted = 2;
};

// Who is asking: the groups the account is listed in count from the next login; the groups this
// process has are those it started with.
struct UserGroups {
  uid_t uid = 0;
  QString name;
  QList<gid_t> listed;
  QList<gid_t> active;
};

// A process with the device open, as /proc tells.
struct DeviceHolder {
  qint64 pid = 0;
  QString command;  // /proc/PID/comm; empty when it cannot be read

  bool operator==(const DeviceHolder&) const = default;
};

// The sentences that follow the system's reason for `error` (errno of opening the file): which
// group to join and how, that the login must be renewed, whom to ask, or which program holds the
// device. Empty when the error is none of those (EACCES, EPERM, EBUSY) or nothing useful is known.
QString openProblemHint(int error, const QString& path, const std::optional<FileFacts>& facts,
                        const UserGroups& user, const QList<DeviceHolder>& holders);

// The file's owner, group and permissions; for a file that cannot be seen, those of the nearest
// folder above it that can. Empty when not even that is known.
std::optional<FileFacts> fileFacts(const QString& path);
// This process's user and both lists of its groups.
UserGroups currentUserGroups();
// The processes that have `path` open, as far as procRoot lets this user see; this process is left
// out. The descriptors' links are read, never followed: a file on a stuck network share must not
// hold up an error message.
QList<DeviceHolder> deviceHolders(const QString& path,
                                  const QString& procRoot = QStringLiteral("/proc"));

// openProblemHint with everything probed now.
QString openProblemHintFor(int error, const QString& path);
// `message` (which ends with the system's reason for `error`) followed by the hint, if there is
// one.
QString withOpenHint(const QString& message, int error, const QString& path);

}  // namespace Orvanel
