#pragma once

#include <QByteArray>
#include <QString>

#include <sys/socket.h>

#include <vector>

#include "core/link/transport.h"

namespace Orvanel {

// The pause before the next address of a host is tried while the earlier ones are still
// unanswered (RFC 8305, "Happy Eyeballs").
inline constexpr int kConnectStaggerMs = 250;
// Connection attempts of one link in flight at a time at most.
inline constexpr int kMaxConnectAttempts = 4;

// Connects to whichever of the addresses answers first: they are tried in the order given, the
// next one staggerMs after the last (or at once when one fails), earlier attempts still running;
// the first to connect wins and the others are closed. All of it within timeoutMs. Returns the
// connected non-blocking socket, or -1 with failure set: the reason alone for one address, else
// each address tried and what happened to it ("[::1]: no answer within 5000 ms; 127.0.0.1:
// Connection refused"). spentMs: what the time limit has already lost (to the name look-up).
int connectToFirst(const std::vector<sockaddr_storage>& addresses, int timeoutMs, QString* failure,
                   int staggerMs = kConnectStaggerMs, int spentMs = 0);

// The order in which a host's addresses are tried: both families taking turns, starting with the
// family of the first (RFC 8305, section 4).
std::vector<sockaddr_storage> interleaveFamilies(const std::vector<sockaddr_storage>& addresses);

// Raw TCP (port 9100 by default). Connect and every wait are bounded by the time limit; a host
// with several addresses is connected as connectToFirst says. The commands of an exchange are
// collected and written together (at the close, or once 64 KiB have gathered). The exchange counts
// as delivered only when the printer has taken every byte: it ends the connection after our end
// marker, or it has acknowledged every byte and holds the connection open past the time limit. A
// reset or an early end is an error at once.
class NetworkTransport : public Transport {
 public:
  NetworkTransport(QString host, int port, int timeoutMs);
  ~NetworkTransport() override;
  NetworkTransport(const NetworkTransport&) = delete;
  NetworkTransport& operator=(const NetworkTransport&) = delete;

  void open() override;
  void write(const QByteArray& data) override;
  void close() override;

 private:
  static constexpr qsizetype kFlushThreshold = 64 * 1024;

  void flush();
  void awaitPrinterEnd();
  void discardIncoming();
  [[noreturn]] void fail(const QString& what, const QString& reason);
  QString target() const;
  QString host_;
  int port_;
  int timeoutMs_;
  int fd_ = -1;
  bool peerEnded_ = false;  // the printer ended its side of the connection
  qint64 written_ = 0;      // bytes handed to the system in this connection
  QByteArray pending_;      // sent but not yet handed to the system
};

}  // namespace Orvanel
