#include "core/link/file_transport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "core/link/link_error.h"
#include "core/link/open_problem.h"

namespace Orvanel {

namespace {
QString reasonText(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}
}  // namespace

FileTransport::FileTransport(QString path, int timeoutMs)
    : path_(std::move(path)), timeoutMs_(timeoutMs) {}

FileTransport::~FileTransport() {
  release();
}

// Closing the descriptor also gives the lock back.
void FileTransport::release() {
  pending_.clear();
  if (fd_ >= 0) {
    ::close(std::exchange(fd_, -1));
  }
}

void FileTransport::fail(const QString& what, int error) {
  release();
  throw LinkError(what.arg(path_, reasonText(error)));
}

void FileTransport::lockExclusive() {
  QElapsedTimer timer;
  timer.start();
  for (;;) {
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
      return;
    }
    const int error = errno;
    if (error == EINTR) {
      continue;
    }
    if (error == ENOLCK || error == EOPNOTSUPP || error == EINVAL) {
      return;  // a file system without locks: the exchange goes ahead as it always did
    }
    if (error != EWOULDBLOCK) {
      fail(QStringLiteral("Could not lock the printer file %1: %2"), error);
    }
    if (timer.elapsed() >= timeoutMs_) {
      release();
      throw LinkError(QStringLiteral("The printer at %1 is busy: another exchange (the window "
                                     "program or another run of q6config-cli) has held it for "
                                     "%2 ms.")
                          .arg(path_, QString::number(timeoutMs_)));
    }
    QThread::msleep(10);
  }
}

void FileTransport::open() {
  release();
  const QByteArray name = QFile::encodeName(path_);
  QElapsedTimer timer;
  timer.start();
  // Non-blocking, so that a device or pipe cannot hold the window: waits are bounded below.
  for (;;) {
    fd_ = ::open(name.constData(),
                 O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd_ >= 0) {
      break;
    }
    const int error = errno;
    // A pipe with no reader yet (ENXIO) may get one within the time limit.
    if (error != ENXIO && error != EINTR) {
      throw LinkError(withOpenHint(
          QStringLiteral("Could not open the printer file %1: %2").arg(path_, reasonText(error)),
          error, path_));
    }
    if (timer.elapsed() >= timeoutMs_) {
      throw LinkError(QStringLiteral("The printer at %1 is not ready: nothing took the data "
                                     "within %2 ms.")
                          .arg(path_, QString::number(timeoutMs_)));
    }
    QThread::msleep(20);
  }
  struct stat info {};
  if (::fstat(fd_, &info) == 0 && S_ISDIR(info.st_mode)) {
    fail(QStringLiteral("Could not open the printer file %1: %2"), EISDIR);
  }
  // A terminal turns LF into CR LF on output by default; bytes must reach the printer as given.
  // Speed, parity and the rest stay as the system has them set up for this port.
  termios tio{};
  if (::isatty(fd_) && ::tcgetattr(fd_, &tio) == 0 && (tio.c_oflag & OPOST)) {
    tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    ::tcsetattr(fd_, TCSANOW, &tio);
  }
  lockExclusive();
}

void FileTransport::write(const QByteArray& data) {
  if (fd_ < 0) {
    throw LinkError(QStringLiteral("The printer file %1 is not open.").arg(path_));
  }
  // An exchange is hundreds of small commands: collected, they go out in one write (or one per
  // 64 KiB) instead of a system call apiece.
  pending_ += data;
  if (pending_.size() >= kFlushThreshold) {
    flush();
  }
}

void FileTransport::flush() {
  const QByteArray data = std::exchange(pending_, QByteArray());
  QElapsedTimer timer;
  timer.start();
  qsizetype done = 0;
  while (done < data.size()) {
    const ssize_t n =
        ::write(fd_, data.constData() + done, static_cast<size_t>(data.size() - done));
    if (n > 0) {
      done += n;
      timer.restart();  // the limit is on the device taking nothing, not on the whole batch
      continue;
    }
    const int error = n < 0 ? errno : EIO;
    if (error == EINTR) {
      continue;
    }
    if (error != EAGAIN && error != EWOULDBLOCK) {
      fail(QStringLiteral("Could not write to the printer file %1: %2"), error);
    }
    const qint64 left = timeoutMs_ - timer.elapsed();
    pollfd waiting{fd_, POLLOUT, 0};
    if (left <= 0 || ::poll(&waiting, 1, static_cast<int>(left)) <= 0) {
      failNotReady();
    }
  }
}

void FileTransport::close() {
  if (fd_ < 0) {
    if (!std::exchange(pending_, QByteArray()).isEmpty()) {
      throw LinkError(QStringLiteral("The printer file %1 is not open.").arg(path_));
    }
    return;
  }
  flush();
  struct stat info {};
  if (::fstat(fd_, &info) == 0) {
    if (S_ISFIFO(info.st_mode) || (S_ISCHR(info.st_mode) && ::isatty(fd_))) {
      awaitTaken(S_ISFIFO(info.st_mode) ? FIONREAD : TIOCOUTQ);
    } else if (S_ISCHR(info.st_mode)) {
      // A printer device node accepts a write and carries it out afterwards; closing it cancels a
      // transfer still in flight. Wait (bounded) until the device can take more, which is when the
      // last write has gone out.
      pollfd drained{fd_, POLLOUT, 0};
      int ready = 0;
      do {
        ready = ::poll(&drained, 1, timeoutMs_);
      } while (ready < 0 && errno == EINTR);
      if (ready == 0) {
        failNotReady();
      }
    }
  }
  const int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0 && errno != EINTR) {
    throw LinkError(
        QStringLiteral("Could not write to the printer file %1: %2").arg(path_, reasonText(errno)));
  }
}

void FileTransport::failNotReady() {
  release();
  throw LinkError(QStringLiteral("The printer at %1 is not ready: it took no data within %2 "
                                 "ms (offline, out of paper or not reading?).")
                      .arg(path_, QString::number(timeoutMs_)));
}

void FileTransport::awaitTaken(unsigned long request) {
  // A pipe or terminal holds what was written until its reader takes it. Closing now would report
  // success for bytes that a reader going away never takes, so wait until the reader has every
  // byte (the system tells how many are still waiting). Neither kind wakes a waiter when it
  // empties, so this looks again every few milliseconds; the limit counts from the last progress.
  QElapsedTimer idle;
  idle.start();
  int before = -1;
  for (;;) {
    int waiting = 0;
    if (::ioctl(fd_, request, &waiting) != 0) {
      return;  // the amount cannot be known here: the writes themselves are all there is
    }
    if (waiting <= 0) {
      return;
    }
    pollfd state{fd_, 0, 0};
    ::poll(&state, 1, 0);
    if (state.revents & (POLLERR | POLLHUP)) {
      release();
      const QString how = request == FIONREAD ? QStringLiteral("its reader went away")
                                              : QStringLiteral("the other side was closed");
      throw LinkError(QStringLiteral("The printer at %1 did not take everything: %2 with %3 "
                                     "bytes not taken.")
                          .arg(path_, how)
                          .arg(waiting));
    }
    if (before < 0 || waiting < before) {
      before = waiting;
      idle.restart();
    } else if (idle.elapsed() >= timeoutMs_) {
      failNotReady();
    }
    pollfd pause{-1, 0, 0};
    ::poll(&pause, 1, 2);
  }
}

}  // namespace Orvanel
