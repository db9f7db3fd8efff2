#include "core/link/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>

namespace Orvanel {

namespace {

QString systemReason(int error) {
  return qt_error_string(error);
}

// Closes a descriptor on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now, so that a late write error (NFS, a full quota) is seen; false with errno set.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// The file the path names after its symbolic links: replacing the settings file must replace the
// target an administrator linked it to, not the link.
Q6::Result<QString> followLinks(const QString& path) {
  QString current = QFileInfo(path).absoluteFilePath();
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (::lstat(QFile::encodeName(current).constData(), &info) != 0 || !S_ISLNK(info.st_mode)) {
      return current;  // a missing file is reported when it is opened, if at all
    }
    const QString target = QFile::symLinkTarget(current);
    if (target.isEmpty()) {
      return Q6::Refused{systemReason(EINVAL)};
    }
    current = target;
  }
  return Q6::Refused{systemReason(ELOOP)};
}

// The reason a new file cannot be made and written in `folder`, found by trying; empty when it can.
// QLockFile says only "permission" or "unknown", which tells an operator nothing.
QString whyNoFileCanBeWritten(const QString& folder) {
  const QByteArray name = QFile::encodeName(
      folder + QStringLiteral("/.q6config-probe-%1").arg(QRandomGenerator::global()->generate()));
  const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) {
    return systemReason(errno);
  }
  const char probe[64] = {};
  int error = 0;
  if (::write(fd, probe, sizeof probe) != static_cast<ssize_t>(sizeof probe) || ::fsync(fd) != 0) {
    error = errno != 0 ? errno : ENOSPC;
  }
  ::close(fd);
  ::unlink(name.constData());
  return error ? systemReason(error) : QString();
}

Q6::Result<> makeFolder(const QString& folder) {
  if (QDir().mkpath(folder)) {
    return {};
  }
  // mkpath says only no: make the last step once more to learn why.
  const int result = ::mkdir(QFile::encodeName(folder).constData(), 0777);
  const int error = errno;
  if (result == 0) {
    return {};
  }
  if (error == EEXIST) {
    return Q6::Refused{QStringLiteral("%1 is not a folder").arg(folder)};
  }
  return Q6::Refused{QStringLiteral("the folder %1 cannot be made (%2)")
                         .arg(folder, systemReason(error == ENOENT ? EACCES : error))};
}

Q6::Result<> writeAll(int fd, const QByteArray& bytes) {
  qsizetype done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      return Q6::Refused{systemReason(n < 0 ? errno : ENOSPC)};
    }
    done += n;
  }
  return {};
}

qint64 wholeMilliseconds(const timespec& time) {
  return static_cast<qint64>(time.tv_sec) * 1000 + time.tv_nsec / 1000000;
}

}  // namespace

Q6::Result<SettingsFileText> readSettingsFileAt(const QString& path) {
  const Q6::Result<QString> target = followLinks(path);
  if (!target) {
    return Q6::Refused{target.error()};
  }
  // Non-blocking, so that a pipe in the file's place is refused instead of waited on for ever.
  Descriptor file(
      ::open(QFile::encodeName(*target).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) {
    if (errno == ENOENT) {
      return SettingsFileText{};
    }
    return Q6::Refused{systemReason(errno)};
  }
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) {
    return Q6::Refused{systemReason(errno)};
  }
  if (S_ISDIR(info.st_mode)) {
    return Q6::Refused{QStringLiteral("it is a folder")};
  }
  if (!S_ISREG(info.st_mode)) {
    return Q6::Refused{QStringLiteral("it is not a regular file")};
  }
  SettingsFileText read;
  read.exists = true;
  char buffer[16384];
  for (;;) {
    const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n < 0) {
      return Q6::Refused{systemReason(errno)};
    }
    if (n == 0) {
      break;
    }
    read.text.append(buffer, n);
  }
  return read;
}

Q6::Result<> readIniText(const QByteArray& text, const std::function<void(QSettings&)>& read) {
  Descriptor memory(::memfd_create("q6config-settings", MFD_CLOEXEC));
  if (memory.get() < 0) {
    return Q6::Refused{systemReason(errno)};
  }
  if (const Q6::Result<> written = writeAll(memory.get(), text); !written) {
    return written;
  }
  // Whole seconds after the epoch, counted per process: no file this process read before, real or
  // in memory, can have both this time and this size cached.
  static std::atomic<qint64> reads{0};
  const timespec stamp{static_cast<time_t>(++reads), 0};
  const timespec times[2] = {stamp, stamp};
  if (::futimens(memory.get(), times) != 0) {
    return Q6::Refused{systemReason(errno)};
  }
  const QString name = QStringLiteral("/proc/self/fd/%1").arg(memory.get());
  // Without /proc the name would read as a missing, empty file: never take that for the text.
  struct stat seen {};
  struct stat made {};
  if (::stat(QFile::encodeName(name).constData(), &seen) != 0 ||
      ::fstat(memory.get(), &made) != 0 || seen.st_ino != made.st_ino ||
      seen.st_dev != made.st_dev) {
    return Q6::Refused{QStringLiteral("/proc is not mounted")};
  }
  QSettings settings(name, QSettings::IniFormat);
  read(settings);
  return {};
}

Q6::Result<> rewriteSettingsFile(
    const QString& path, const std::function<QByteArray(const QByteArray& current)>& change,
    const std::function<Q6::Result<>(const QString& writtenPath)>& check) {
  const QString folder = QFileInfo(path).absolutePath();
  if (const Q6::Result<> made = makeFolder(folder); !made) {
    return made;
  }

  // The same lock file QSettings takes, so that two programs (or a program and a QSettings writer)
  // never read, change and replace the file at the same time and lose one another's values.
  const QString lockPath = path + QStringLiteral(".lock");
  QLockFile lock(lockPath);
  if (!lock.tryLock(kSettingsLockWaitMs)) {
    if (lock.error() == QLockFile::LockFailedError) {
      return Q6::Refused{QStringLiteral("another program is storing settings there and still "
                                        "holds the lock file %1 (try again; if no other copy of "
                                        "the program is running, remove that file)")
                             .arg(lockPath)};
    }
    const QString why = whyNoFileCanBeWritten(folder);
    return Q6::Refused{QStringLiteral("the lock file %1 cannot be made (%2)")
                           .arg(lockPath, why.isEmpty() ? systemReason(EIO) : why)};
  }

  const Q6::Result<QString> target = followLinks(path);
  if (!target) {
    return Q6::Refused{target.error()};
  }
  const Q6::Result<SettingsFileText> current = readSettingsFileAt(*target);
  if (!current) {
    return Q6::Refused{current.error()};
  }
  const QByteArray text = change(current->text);
  if (current->exists && text == current->text) {
    return {};  // nothing to change: a read-only provisioned file stays quietly as it is
  }

  // Same folder as the target, so that the rename replaces the file in one step.
  const QString targetFolder = QFileInfo(*target).absolutePath();
  mode_t mode = 0666;  // a new file gets the user's umask, as any other program's would
  if (current->exists) {
    struct stat info {};
    if (::stat(QFile::encodeName(*target).constData(), &info) == 0) {
      mode = info.st_mode & 07777;
    }
  }
  QByteArray temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temporary = QFile::encodeName(
        targetFolder + QStringLiteral("/.%1.%2.tmp")
                           .arg(QFileInfo(*target).fileName())
                           .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0 && errno != EEXIST) {
      break;
    }
  }
  if (fd < 0) {
    return Q6::Refused{systemReason(errno)};
  }
  Descriptor out(fd);
  const auto fail = [&](const QString& reason) {
    ::unlink(temporary.constData());
    return Q6::Refused{reason};
  };
  if (current->exists && ::fchmod(out.get(), mode) != 0) {
    return fail(systemReason(errno));
  }
  if (const Q6::Result<> written = writeAll(out.get(), text); !written) {
    return fail(written.error());
  }
  // Readers that cache the file (QSettings, in other programs and in tests) re-read it only when
  // its size or its time in whole milliseconds changes. Two stores of the same size within one
  // millisecond would look alike to them, so each new file is made at least one whole millisecond
  // later than the one it replaces.
  struct stat before {};
  struct stat now {};
  if (current->exists && ::stat(QFile::encodeName(*target).constData(), &before) == 0 &&
      ::fstat(out.get(), &now) == 0 &&
      wholeMilliseconds(now.st_mtim) <= wholeMilliseconds(before.st_mtim)) {
    const qint64 later = wholeMilliseconds(before.st_mtim) + 1;
    const timespec times[2] = {{0, UTIME_OMIT},
                               {static_cast<time_t>(later / 1000), (later % 1000) * 1000000}};
    if (::futimens(out.get(), times) != 0) {
      return fail(systemReason(errno));
    }
  }
  if (::fsync(out.get()) != 0 || !out.close()) {
    return fail(systemReason(errno));
  }
  if (const Q6::Result<> checked = check(QFile::decodeName(temporary)); !checked) {
    return fail(checked.error());
  }
  if (::rename(temporary.constData(), QFile::encodeName(*target).constData()) != 0) {
    return fail(systemReason(errno));
  }
  // The rename itself reaches the disk only with the folder; a failure here cannot be undone and
  // the new content is already what every reader sees, so it is not reported as a lost store.
  Descriptor dir(
      ::open(QFile::encodeName(targetFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) {
    ::fsync(dir.get());
  }
  return {};
}

}  // namespace Orvanel
