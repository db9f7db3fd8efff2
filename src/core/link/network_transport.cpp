#include "core/link/network_transport.h"

#include <QElapsedTimer>
#include <QStringList>

#include <arpa/inet.h>
#include <linux/sockios.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "core/link/host_connect.h"
#include "core/link/link_error.h"

namespace Orvanel {

namespace {

QString systemReason(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}

QString noDataWithin(int timeoutMs) {
  return QStringLiteral("the printer accepted no data within %1 ms").arg(timeoutMs);
}

constexpr qint64 kRoomCheckMs = 50;

const QString kResetReason =
    QStringLiteral("the printer reset the connection before it had taken everything");
const QString kEndedReason =
    QStringLiteral("the printer ended the connection before it had taken everything");

// Bytes (and the end marker) the printer has not acknowledged yet.
int unacknowledged(int fd) {
  int queued = 0;
  return ::ioctl(fd, SIOCOUTQ, &queued) == 0 ? queued : -1;
}

}  // namespace

NetworkTransport::NetworkTransport(QString host, int port, int timeoutMs)
    : host_(std::move(host)), port_(port), timeoutMs_(timeoutMs) {}

NetworkTransport::~NetworkTransport() {
  if (fd_ >= 0) {
    ::close(fd_);
  }
}

QString NetworkTransport::target() const {
  return QStringLiteral("%1 port %2").arg(host_, QString::number(port_));
}

void NetworkTransport::fail(const QString& what, const QString& reason) {
  pending_.clear();
  if (fd_ >= 0) {
    // Whatever the system still holds for this printer is dropped (the connection is reset), so a
    // printer that comes back later does not print the rest of an exchange reported as failed.
    linger drop{1, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &drop, sizeof drop);
    ::close(std::exchange(fd_, -1));
  }
  throw LinkError(QStringLiteral("%1 %2: %3").arg(what, target(), reason));
}

void NetworkTransport::open() {
  if (fd_ >= 0) {
    ::close(std::exchange(fd_, -1));
  }
  pending_.clear();
  written_ = 0;
  peerEnded_ = false;
  QElapsedTimer timer;
  timer.start();
  QString failure;
  const std::vector<sockaddr_storage> addresses =
      interleaveFamilies(resolveWithin(host_, port_, timeoutMs_, &failure));
  if (!addresses.empty()) {
    const int spent = std::min(static_cast<int>(timer.elapsed()), timeoutMs_ - 1);
    const int fd = connectToFirst(addresses, timeoutMs_, &failure, kConnectStaggerMs, spent);
    if (fd >= 0) {
      // Small commands must not wait for Nagle's algorithm.
      int one = 1;
      ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
      fd_ = fd;
      return;
    }
  }
  throw LinkError(
      QStringLiteral("Could not connect to the printer at %1: %2").arg(target(), failure));
}

void NetworkTransport::write(const QByteArray& data) {
  if (fd_ < 0) {
    throw LinkError(
        QStringLiteral("The connection to the printer at %1 is not open.").arg(target()));
  }
  // An exchange is hundreds of small commands; handing each to the system on its own costs a
  // system call and a wait apiece, many times the cost of the bytes. They are collected here and go
  // out together at the close, or as soon as enough have gathered to keep memory bounded.
  pending_ += data;
  if (pending_.size() >= kFlushThreshold) {
    flush();
  }
}

// Reads and drops what the printer sends (status bytes). A reset or an end of the printer's side
// raises: while bytes are still to go, either means they will never be taken.
void NetworkTransport::discardIncoming() {
  char discard[4096];
  for (;;) {
    const ssize_t n = ::recv(fd_, discard, sizeof discard, MSG_DONTWAIT);
    if (n > 0) {
      continue;
    }
    if (n == 0) {
      peerEnded_ = true;
      return;
    }
    if (errno == EINTR) {
      continue;
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      return;
    }
    const int error = errno;
    fail(QStringLiteral("Could not send to the printer at"),
         error == ECONNRESET || error == EPIPE ? kResetReason : systemReason(error));
  }
}

void NetworkTransport::flush() {
  const QByteArray data = std::exchange(pending_, QByteArray());
  const char* next = data.constData();
  qsizetype left = data.size();
  // The limit is on the printer taking nothing: a slow printer that keeps taking bytes is not an
  // error, however long the whole batch needs.
  QElapsedTimer idle;
  idle.start();
  while (left > 0) {
    const ssize_t n = ::send(fd_, next, static_cast<size_t>(left), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      next += n;
      left -= n;
      written_ += n;
      idle.restart();
      continue;
    }
    const int error = n < 0 ? errno : EIO;
    if (error == EINTR) {
      continue;
    }
    if (error != EAGAIN && error != EWOULDBLOCK) {
      fail(QStringLiteral("Could not send to the printer at"),
           error == ECONNRESET || error == EPIPE ? kResetReason : systemReason(error));
    }
    const qint64 wait = timeoutMs_ - idle.elapsed();
    if (wait <= 0) {
      fail(QStringLiteral("Could not send to the printer at"), noDataWithin(timeoutMs_));
    }
    // Waiting for room, but also for the printer resetting or ending the connection: either is
    // reported at once instead of after the time limit. The system reports room only once a third
    // of the buffer is free, while a printer that trickles takes less; looking again every few
    // milliseconds keeps the time of the last progress exact.
    pollfd waiting{fd_, POLLOUT | POLLIN | POLLRDHUP, 0};
    if (::poll(&waiting, 1, static_cast<int>(std::min<qint64>(wait, kRoomCheckMs))) > 0 &&
        (waiting.revents & (POLLIN | POLLRDHUP | POLLERR | POLLHUP))) {
      discardIncoming();
      if (peerEnded_) {
        fail(QStringLiteral("Could not send to the printer at"), kEndedReason);
      }
    }
  }
}

void NetworkTransport::awaitPrinterEnd() {
  // After our end marker a printer ends the connection once it has read everything. Some hold
  // the connection open instead: one that has acknowledged every byte by the time limit has them.
  const QString what = QStringLiteral("Could not finish sending to the printer at");
  QElapsedTimer idle;
  idle.start();
  int lastQueued = unacknowledged(fd_);
  for (;;) {
    if (peerEnded_) {
      // The printer's end comes after its acknowledgement of everything it read, so anything
      // still unacknowledged (beyond our own end marker) was never taken.
      if (unacknowledged(fd_) <= 1) {
        return;
      }
      fail(what, kEndedReason);
    }
    const qint64 wait = timeoutMs_ - idle.elapsed();
    if (wait <= 0) {
      const int queued = unacknowledged(fd_);
      if (queued == 0) {
        return;
      }
      if (queued > 0 && queued < lastQueued) {
        lastQueued = queued;  // slow but still taking bytes
        idle.restart();
        continue;
      }
      fail(what, noDataWithin(timeoutMs_));
    }
    pollfd readable{fd_, POLLIN | POLLRDHUP, 0};
    if (::poll(&readable, 1, static_cast<int>(wait)) > 0) {
      discardIncoming();
    }
  }
}

void NetworkTransport::close() {
  if (fd_ < 0) {
    if (!std::exchange(pending_, QByteArray()).isEmpty()) {
      throw LinkError(QStringLiteral("Could not send to the printer at %1: the connection was lost")
                          .arg(target()));
    }
    return;
  }
  flush();
  if (written_ > 0) {
    // No more sending: the printer sees the end of the exchange and ends the connection.
    if (::shutdown(fd_, SHUT_WR) != 0) {
      int error = 0;
      socklen_t size = sizeof error;
      ::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &size);
      // The connection is already gone: the printer reset it while the bytes were on their way.
      fail(
          QStringLiteral("Could not finish sending to the printer at"),
          error == ECONNRESET || error == EPIPE || error == 0 ? kResetReason : systemReason(error));
    }
    awaitPrinterEnd();
  }
  ::close(std::exchange(fd_, -1));
}

}  // namespace Orvanel
