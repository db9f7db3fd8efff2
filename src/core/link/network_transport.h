#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

#include "core/link/transport.h"

namespace Orvanel {

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
