#include "link/network_transport.h"

#include <QElapsedTimer>

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
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "link/link_error.h"

namespace Orvanel {

namespace {

// Name lookup is a blocking resolver call that no socket time limit covers; a dead name server
// would freeze the window for the resolver's own time-out. It runs on a thread of its own and is
// abandoned (left to finish in the background) when the time limit is up. That thread uses the C
// library alone, so one still running when the program ends touches nothing already torn down.
struct Lookup {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  int error = 0;
  std::vector<sockaddr_storage> addresses;
};

int lookUp(const QByteArray& name, const QByteArray& service, int flags,
           std::vector<sockaddr_storage>* addresses) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = flags | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const int error = ::getaddrinfo(name.constData(), service.constData(), &hints, &found);
  for (addrinfo* a = found; error == 0 && a; a = a->ai_next) {
    sockaddr_storage address{};
    std::memcpy(&address, a->ai_addr, std::min<size_t>(a->ai_addrlen, sizeof address));
    addresses->push_back(address);
  }
  if (found) {
    ::freeaddrinfo(found);
  }
  return error;
}

std::vector<sockaddr_storage> resolveWithin(const QString& host, int port, int timeoutMs,
                                            QString* failure) {
  const QByteArray name = host.toUtf8();
  const QByteArray service = QByteArray::number(port);
  // An address written as numbers needs no name server: no thread, no wait.
  std::vector<sockaddr_storage> numeric;
  if (lookUp(name, service, AI_NUMERICHOST, &numeric) == 0 && !numeric.empty()) {
    return numeric;
  }
  auto lookup = std::make_shared<Lookup>();
  std::thread([lookup, name, service] {
    std::vector<sockaddr_storage> addresses;
    const int error = lookUp(name, service, AI_ADDRCONFIG, &addresses);
    std::lock_guard<std::mutex> lock(lookup->mutex);
    lookup->error = error;
    lookup->addresses = std::move(addresses);
    lookup->finished = true;
    lookup->done.notify_all();
  }).detach();
  std::unique_lock<std::mutex> lock(lookup->mutex);
  if (!lookup->done.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return lookup->finished; })) {
    *failure = QStringLiteral("the name could not be looked up within %1 ms").arg(timeoutMs);
    return {};
  }
  if (lookup->error != 0 || lookup->addresses.empty()) {
    *failure = lookup->error == EAI_NONAME || lookup->error == EAI_NODATA
                   ? QStringLiteral("Host not found")
                   : QString::fromLocal8Bit(::gai_strerror(lookup->error));
    return {};
  }
  return lookup->addresses;
}

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

// Waits up to timeoutMs for a non-blocking connect; 0 when connected, else the error.
int finishConnect(int fd, int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  for (;;) {
    const qint64 left = timeoutMs - timer.elapsed();
    if (left <= 0) {
      return ETIMEDOUT;
    }
    pollfd waiting{fd, POLLOUT, 0};
    const int ready = ::poll(&waiting, 1, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    if (ready <= 0) {
      return ready == 0 ? ETIMEDOUT : errno;
    }
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) {
      return errno;
    }
    return error;
  }
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
  return QStringLiteral("%1 port %2").arg(host_).arg(port_);
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
  const std::vector<sockaddr_storage> addresses = resolveWithin(host_, port_, timeoutMs_, &failure);
  for (sockaddr_storage storage : addresses) {
    const int left = timeoutMs_ - static_cast<int>(timer.elapsed());
    if (left <= 0) {
      failure = QStringLiteral("no answer within %1 ms").arg(timeoutMs_);
      break;
    }
    const socklen_t size =
        storage.ss_family == AF_INET6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in);
    const int fd = ::socket(storage.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
      failure = systemReason(errno);
      continue;
    }
    int error = 0;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&storage), size) != 0) {
      error = errno == EINPROGRESS ? finishConnect(fd, left) : errno;
    }
    if (error == 0) {
      // Small commands must not wait for Nagle's algorithm.
      int one = 1;
      ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
      fd_ = fd;
      return;
    }
    ::close(fd);
    failure = error == ETIMEDOUT ? QStringLiteral("no answer within %1 ms").arg(timeoutMs_)
                                 : systemReason(error);
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
