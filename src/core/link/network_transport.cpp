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
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "core/link/link_error.h"

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
  int systemError = 0;  // errno, for EAI_SYSTEM
  std::vector<sockaddr_storage> addresses;
};

int lookUp(const QByteArray& name, const QByteArray& service, int flags,
           std::vector<sockaddr_storage>* addresses, int* systemError = nullptr) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = flags | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  errno = 0;
  const int error = ::getaddrinfo(name.constData(), service.constData(), &hints, &found);
  if (systemError) {
    *systemError = errno;
  }
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
    int systemError = 0;
    const int error = lookUp(name, service, AI_ADDRCONFIG, &addresses, &systemError);
    std::lock_guard<std::mutex> lock(lookup->mutex);
    lookup->error = error;
    lookup->systemError = systemError;
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
    // EAI_SYSTEM says only "System error": the reason is the system's (errno). Out of files, the
    // resolver may also answer "no such name" for a name it could not look up at all.
    const int system = lookup->systemError;
    const bool outOfFiles = system == EMFILE || system == ENFILE;
    *failure = (lookup->error == EAI_SYSTEM && system != 0) || outOfFiles
                   ? QStringLiteral("the name could not be looked up: %1")
                         .arg(QString::fromLocal8Bit(std::strerror(system)))
               : lookup->error == EAI_NONAME || lookup->error == EAI_NODATA
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

QString addressText(const sockaddr_storage& address) {
  char text[INET6_ADDRSTRLEN] = {};
  if (address.ss_family == AF_INET6) {
    const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
    ::inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
    return QStringLiteral("[%1]").arg(QString::fromLatin1(text));
  }
  const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
  ::inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
  return QString::fromLatin1(text);
}

socklen_t addressSize(const sockaddr_storage& address) {
  return address.ss_family == AF_INET6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in);
}

}  // namespace

std::vector<sockaddr_storage> interleaveFamilies(const std::vector<sockaddr_storage>& addresses) {
  if (addresses.empty()) {
    return {};
  }
  std::vector<sockaddr_storage> first;
  std::vector<sockaddr_storage> other;
  for (const sockaddr_storage& a : addresses) {
    (a.ss_family == addresses.front().ss_family ? first : other).push_back(a);
  }
  std::vector<sockaddr_storage> order;
  order.reserve(addresses.size());
  for (size_t i = 0; i < std::max(first.size(), other.size()); ++i) {
    if (i < first.size()) {
      order.push_back(first[i]);
    }
    if (i < other.size()) {
      order.push_back(other[i]);
    }
  }
  return order;
}

int connectToFirst(const std::vector<sockaddr_storage>& addresses, int timeoutMs, QString* failure,
                   int staggerMs, int spentMs) {
  struct Attempt {
    int fd;
    size_t index;
  };
  std::vector<Attempt> running;
  std::vector<QString> outcomes(addresses.size());
  const auto closeAll = [&] {
    for (const Attempt& a : running) {
      ::close(a.fd);
    }
    running.clear();
  };
  QElapsedTimer timer;
  timer.start();
  size_t next = 0;
  qint64 nextStartMs = 0;  // when the next address may be tried
  for (;;) {
    const qint64 now = timer.elapsed() + spentMs;
    if (now >= timeoutMs) {
      for (const Attempt& a : running) {
        outcomes[a.index] = QStringLiteral("no answer within %1 ms").arg(timeoutMs);
      }
      closeAll();
      break;
    }
    if (next < addresses.size() && now >= nextStartMs &&
        running.size() < static_cast<size_t>(kMaxConnectAttempts)) {
      const size_t index = next++;
      const sockaddr_storage& address = addresses[index];
      const int fd = ::socket(address.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
      if (fd < 0) {
        outcomes[index] = systemReason(errno);
        continue;  // on to the next address at once
      }
      if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), addressSize(address)) == 0) {
        closeAll();
        return fd;
      }
      if (errno != EINPROGRESS && errno != EINTR) {
        outcomes[index] = systemReason(errno);
        ::close(fd);
        continue;
      }
      running.push_back({fd, index});
      nextStartMs = now + staggerMs;
      continue;
    }
    if (running.empty()) {
      break;  // every address failed at once
    }
    qint64 wait = timeoutMs - now;
    if (next < addresses.size() && running.size() < static_cast<size_t>(kMaxConnectAttempts)) {
      wait = std::min(wait, std::max<qint64>(nextStartMs - now, 0));
    }
    std::vector<pollfd> waiting;
    waiting.reserve(running.size());
    for (const Attempt& a : running) {
      waiting.push_back({a.fd, POLLOUT, 0});
    }
    const int ready = ::poll(waiting.data(), waiting.size(), static_cast<int>(wait));
    if (ready <= 0) {
      continue;  // the stagger or the limit is up (or a signal): looked at above
    }
    std::vector<Attempt> still;
    for (size_t k = 0; k < waiting.size(); ++k) {
      const Attempt a = running[k];
      if (!waiting[k].revents) {
        still.push_back(a);
        continue;
      }
      int error = 0;
      socklen_t size = sizeof error;
      if (::getsockopt(a.fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) {
        error = errno;
      }
      if (error == 0) {
        for (size_t j = k + 1; j < running.size(); ++j) {
          still.push_back(running[j]);
        }
        running = std::move(still);
        closeAll();
        return a.fd;
      }
      outcomes[a.index] = systemReason(error);
      ::close(a.fd);
      nextStartMs = 0;  // a failure starts the next address at once
    }
    running = std::move(still);
  }
  if (addresses.size() == 1) {
    *failure = outcomes[0];
    return -1;
  }
  QStringList each;
  for (size_t i = 0; i < addresses.size(); ++i) {
    each << QStringLiteral("%1: %2").arg(
        addressText(addresses[i]), outcomes[i].isEmpty()
                                       ? QStringLiteral("not tried within %1 ms").arg(timeoutMs)
                                       : outcomes[i]);
  }
  *failure = each.join(QStringLiteral("; "));
  return -1;
}

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
