#include "link/network_transport.h"

#include <QElapsedTimer>
#include <QHostInfo>

#include <linux/sockios.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include <utility>

#include "link/link_error.h"

namespace Orvanel {

NetworkTransport::NetworkTransport(QString host, int port, int timeoutMs)
    : host_(std::move(host)), port_(port), timeoutMs_(timeoutMs) {}

QString NetworkTransport::target() const {
  return QStringLiteral("%1 port %2").arg(host_).arg(port_);
}

namespace {

// Name lookup is a blocking resolver call that no socket time limit covers; a dead name server
// would freeze the window for the resolver's own time-out. It runs on a thread of its own and is
// abandoned (left to finish in the background) when the time limit is up.
struct Lookup {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  QHostInfo info;
};

QList<QHostAddress> resolveWithin(const QString& host, int timeoutMs, QString* failure) {
  QHostAddress literal;
  if (literal.setAddress(host)) {
    return {literal};
  }
  auto lookup = std::make_shared<Lookup>();
  std::thread([lookup, host] {
    QHostInfo info = QHostInfo::fromName(host);
    std::lock_guard<std::mutex> lock(lookup->mutex);
    lookup->info = std::move(info);
    lookup->finished = true;
    lookup->done.notify_all();
  }).detach();
  std::unique_lock<std::mutex> lock(lookup->mutex);
  if (!lookup->done.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return lookup->finished; })) {
    *failure = QStringLiteral("the name could not be looked up within %1 ms").arg(timeoutMs);
    return {};
  }
  if (lookup->info.error() != QHostInfo::NoError || lookup->info.addresses().isEmpty()) {
    *failure = lookup->info.errorString();
    return {};
  }
  return lookup->info.addresses();
}

}  // namespace

void NetworkTransport::open() {
  socket_.abort();
  pending_.clear();
  QElapsedTimer timer;
  timer.start();
  QString failure;
  const QList<QHostAddress> addresses = resolveWithin(host_, timeoutMs_, &failure);
  for (const QHostAddress& address : addresses) {
    const int left = timeoutMs_ - static_cast<int>(timer.elapsed());
    if (left <= 0) {
      failure = QStringLiteral("no answer within %1 ms").arg(timeoutMs_);
      break;
    }
    socket_.connectToHost(address, static_cast<quint16>(port_));
    if (socket_.waitForConnected(left)) {
      // Small commands must not wait for Nagle's algorithm.
      socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
      return;
    }
    failure = socket_.error() == QAbstractSocket::SocketTimeoutError
                  ? QStringLiteral("no answer within %1 ms").arg(timeoutMs_)
                  : socket_.errorString();
    socket_.abort();
  }
  throw LinkError(
      QStringLiteral("Could not connect to the printer at %1: %2").arg(target(), failure));
}

void NetworkTransport::write(const QByteArray& data) {
  if (socket_.state() != QAbstractSocket::ConnectedState) {
    throw LinkError(
        QStringLiteral("The connection to the printer at %1 is not open.").arg(target()));
  }
  // An exchange is hundreds of small commands; handing each to the socket on its own costs a
  // system call and a wait apiece, many times the cost of the bytes. They are collected here and go
  // out together at the close, or as soon as enough have gathered to keep memory bounded.
  pending_ += data;
  if (pending_.size() >= kFlushThreshold) {
    flush();
  }
}

void NetworkTransport::flush() {
  if (pending_.isEmpty()) {
    return;
  }
  const QByteArray data = std::exchange(pending_, QByteArray());
  if (socket_.write(data) != data.size()) {
    const QString reason = socket_.errorString();
    socket_.abort();
    throw LinkError(
        QStringLiteral("Could not send to the printer at %1: %2").arg(target(), reason));
  }
  // The limit is on the printer taking nothing: a slow printer that keeps taking bytes is not an
  // error, however long the whole batch needs.
  QElapsedTimer idle;
  idle.start();
  while (socket_.bytesToWrite() > 0) {
    const int left = timeoutMs_ - static_cast<int>(idle.elapsed());
    if (left <= 0 || !socket_.waitForBytesWritten(left)) {
      const QString reason =
          socket_.error() == QAbstractSocket::SocketTimeoutError || left <= 0
              ? QStringLiteral("the printer accepted no data within %1 ms").arg(timeoutMs_)
              : socket_.errorString();
      socket_.abort();
      throw LinkError(
          QStringLiteral("Could not send to the printer at %1: %2").arg(target(), reason));
    }
    idle.restart();
  }
}

void NetworkTransport::drainSendQueue() {
  // Closing while the printer has sent something unread (a status byte) makes the system answer
  // with a reset, which throws away whatever is still queued for the printer. So: no more sending,
  // read and drop what arrives, and wait until the printer has acknowledged every byte.
  const auto fd = static_cast<int>(socket_.socketDescriptor());
  if (fd < 0 || ::shutdown(fd, SHUT_WR) != 0) {
    return;
  }
  QElapsedTimer idle;
  idle.start();
  int lastQueued = -1;
  char discard[4096];
  for (;;) {
    while (::recv(fd, discard, sizeof discard, MSG_DONTWAIT) > 0) {
    }
    int queued = 0;
    if (::ioctl(fd, SIOCOUTQ, &queued) != 0 || queued == 0) {
      return;
    }
    if (queued != lastQueued) {
      lastQueued = queued;
      idle.restart();
    } else if (idle.elapsed() >= timeoutMs_) {
      socket_.abort();
      throw LinkError(QStringLiteral("Could not finish sending to the printer at %1: the printer "
                                     "accepted no data within %2 ms")
                          .arg(target())
                          .arg(timeoutMs_));
    }
    pollfd readable{fd, POLLIN, 0};
    ::poll(&readable, 1, 5);
  }
}

void NetworkTransport::close() {
  if (socket_.state() == QAbstractSocket::UnconnectedState) {
    if (!std::exchange(pending_, QByteArray()).isEmpty()) {
      throw LinkError(QStringLiteral("Could not send to the printer at %1: the connection was lost")
                          .arg(target()));
    }
    return;
  }
  flush();
  drainSendQueue();
  socket_.disconnectFromHost();
  if (socket_.state() != QAbstractSocket::UnconnectedState &&
      !socket_.waitForDisconnected(timeoutMs_)) {
    socket_.abort();
    throw LinkError(QStringLiteral("Could not finish sending to the printer at %1: %2")
                        .arg(target(), QStringLiteral("no answer within %1 ms").arg(timeoutMs_)));
  }
}

}  // namespace Orvanel
