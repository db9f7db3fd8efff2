#include "core/common/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace Q6 {

Descriptor::~Descriptor() {
  if (fd_ >= 0) {
    ::close(fd_);
  }
}

int makeFolder(const QString& folder) {
  if (QDir().mkpath(folder)) {
    return 0;
  }
  // mkpath says only no: make the last step once more to learn why.
  if (::mkdir(QFile::encodeName(folder).constData(), 0777) == 0) {
    return 0;
  }
  return errno == ENOENT ? EACCES : errno;
}

QString systemReason(int error) {
  return qt_error_string(error);
}

Result<> writeAll(int fd, const QByteArray& bytes) {
  qsizetype done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      return Refused{systemReason(n < 0 ? errno : ENOSPC)};
    }
    done += n;
  }
  return {};
}

WholeFile readWholeFile(const QString& path, qsizetype limit) {
  WholeFile file;
  const Descriptor in(
      ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat info {};
  if (in.get() < 0 || ::fstat(in.get(), &info) != 0) {
    file.error = errno;
    return file;
  }
  if (!S_ISREG(info.st_mode)) {
    file.error = S_ISDIR(info.st_mode) ? EISDIR : kNotAnOrdinaryFile;
    return file;
  }
  char buffer[16384];
  while (file.bytes.size() < limit) {
    const auto wanted = static_cast<size_t>(
        std::min<qsizetype>(static_cast<qsizetype>(sizeof buffer), limit - file.bytes.size()));
    const ssize_t n = ::read(in.get(), buffer, wanted);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n < 0) {
      file.error = errno;
      file.bytes.clear();
      return file;
    }
    if (n == 0) {
      break;
    }
    file.bytes.append(buffer, n);
  }
  return file;
}

Result<QString> followLinks(const QString& path) {
  QString current = QFileInfo(path).absoluteFilePath();
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (::lstat(QFile::encodeName(current).constData(), &info) != 0 || !S_ISLNK(info.st_mode)) {
      return current;  // a missing file is reported when it is opened, if at all
    }
    const QString target = QFile::symLinkTarget(current);
    if (target.isEmpty()) {
      return Refused{systemReason(EINVAL)};
    }
    current = target;
  }
  return Refused{systemReason(ELOOP)};
}

Result<> FileReplacement::begin(const QString& target) {
  discard();
  const QFileInfo info(target);
  target_ = QFile::encodeName(info.absoluteFilePath());
  // A new file gets the user's umask, as any other program's would; a replaced one keeps its mode.
  mode_t mode = 0666;
  struct stat old {};
  const bool replacing = ::stat(target_.constData(), &old) == 0;
  if (replacing) {
    mode = old.st_mode & 07777;
  }
  // Same folder as the target, so that the rename replaces the file in one step.
  for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
    temporary_ =
        QFile::encodeName(info.absolutePath() + QStringLiteral("/.%1.%2.tmp")
                                                    .arg(info.fileName())
                                                    .arg(QRandomGenerator::global()->generate(), 8,
                                                         16, QLatin1Char('0')));
    fd_ = ::open(temporary_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd_ < 0 && errno != EEXIST) {
      break;
    }
  }
  if (fd_ < 0) {
    const int error = errno;
    temporary_.clear();
    return Refused{systemReason(error)};
  }
  if (replacing && ::fchmod(fd_, mode) != 0) {
    return failed(errno);
  }
  return {};
}

Result<> FileReplacement::write(const QByteArray& bytes) {
  if (const Result<> written = writeAll(fd_, bytes); !written) {
    discard();
    return written;
  }
  return {};
}

Result<> FileReplacement::close() {
  if (fd_ < 0) {
    return {};
  }
  if (::fsync(fd_) != 0) {
    return failed(errno);
  }
  if (::close(std::exchange(fd_, -1)) != 0) {
    return failed(errno);
  }
  return {};
}

Result<> FileReplacement::commit() {
  if (temporary_.isEmpty()) {
    return Refused{systemReason(EBADF)};
  }
  if (const Result<> closed = close(); !closed) {
    return closed;
  }
  if (::rename(temporary_.constData(), target_.constData()) != 0) {
    return failed(errno);
  }
  temporary_.clear();
  // The rename itself reaches the disk only with the folder; a failure here cannot be undone and
  // the new content is already what every reader sees, so it is not reported as a lost write.
  const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(target_)).absolutePath());
  const Descriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) {
    ::fsync(dir.get());
  }
  return {};
}

void FileReplacement::discard() {
  if (fd_ >= 0) {
    ::close(std::exchange(fd_, -1));
  }
  if (!temporary_.isEmpty()) {
    ::unlink(temporary_.constData());
    temporary_.clear();
  }
}

Result<> FileReplacement::failed(int error) {
  discard();
  return Refused{systemReason(error)};
}

}  // namespace Q6
