#include "core/store/settings_file.h"

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

#include "core/common/whole_file.h"

namespace Orvanel {

namespace {

using Q6::Descriptor;
using Q6::systemReason;

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

Q6::Result<> makeSettingsFolder(const QString& folder) {
  const int error = Q6::makeFolder(folder);
  if (error == 0) {
    return {};
  }
  if (error == EEXIST) {
    return Q6::Refused{QStringLiteral("%1 is not a folder").arg(folder)};
  }
  return Q6::Refused{
      QStringLiteral("the folder %1 cannot be made (%2)").arg(folder, systemReason(error))};
}

qint64 wholeMilliseconds(const timespec& time) {
  return static_cast<qint64>(time.tv_sec) * 1000 + time.tv_nsec / 1000000;
}

}  // namespace

Q6::Result<SettingsFileText> readSettingsFileAt(const QString& path) {
  const Q6::Result<QString> target = Q6::followLinks(path);
  if (!target) {
    return Q6::Refused{target.error()};
  }
  const Q6::WholeFile file = Q6::readWholeFile(*target);
  switch (file.error) {
    case 0:
      return SettingsFileText{true, file.bytes};
    case ENOENT:
      return SettingsFileText{};
    case EISDIR:
      return Q6::Refused{QStringLiteral("it is a folder")};
    case Q6::kNotAnOrdinaryFile:
      return Q6::Refused{QStringLiteral("it is not a regular file")};
    default:
      return Q6::Refused{systemReason(file.error)};
  }
}

Q6::Result<> readIniText(const QByteArray& text, const std::function<void(QSettings&)>& read) {
  Descriptor memory(::memfd_create("q6config-settings", MFD_CLOEXEC));
  if (memory.get() < 0) {
    return Q6::Refused{systemReason(errno)};
  }
  if (const Q6::Result<> written = Q6::writeAll(memory.get(), text); !written) {
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
  if (const Q6::Result<> made = makeSettingsFolder(folder); !made) {
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

  const Q6::Result<QString> target = Q6::followLinks(path);
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

  Q6::FileReplacement replacement;
  if (const Q6::Result<> begun = replacement.begin(*target); !begun) {
    return begun;
  }
  if (const Q6::Result<> written = replacement.write(text); !written) {
    return written;
  }
  // Readers that cache the file (QSettings, in other programs and in tests) re-read it only when
  // its size or its time in whole milliseconds changes. Two stores of the same size within one
  // millisecond would look alike to them, so each new file is made at least one whole millisecond
  // later than the one it replaces.
  struct stat before {};
  struct stat now {};
  if (current->exists && ::stat(QFile::encodeName(*target).constData(), &before) == 0 &&
      ::fstat(replacement.descriptor(), &now) == 0 &&
      wholeMilliseconds(now.st_mtim) <= wholeMilliseconds(before.st_mtim)) {
    const qint64 later = wholeMilliseconds(before.st_mtim) + 1;
    const timespec times[2] = {{0, UTIME_OMIT},
                               {static_cast<time_t>(later / 1000), (later % 1000) * 1000000}};
    if (::futimens(replacement.descriptor(), times) != 0) {
      return Q6::Refused{systemReason(errno)};  // the replacement removes its file
    }
  }
  if (const Q6::Result<> closed = replacement.close(); !closed) {
    return closed;
  }
  if (const Q6::Result<> checked = check(QFile::decodeName(replacement.temporaryPath()));
      !checked) {
    return checked;
  }
  return replacement.commit();
}

}  // namespace Orvanel
