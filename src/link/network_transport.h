#pragma once

#include <QTcpSocket>

#include "link/transport.h"

namespace Orvanel {

// Raw TCP (port 9100 by default); connect and every write bounded by the time limit. The commands
// of an exchange are collected and written together (at the close, or once 64 KiB have gathered).
class NetworkTransport : public Transport {
 public:
  NetworkTransport(QString host, int port, int timeoutMs);
  void open() override;
  void write(const QByteArray& data) override;
  void close() override;

 private:
  static constexpr qsizetype kFlushThreshold = 64 * 1024;

  void flush();
  void drainSendQueue();
  QString target() const;
  QString host_;
  int port_;
  int timeoutMs_;
  QTcpSocket socket_;
  QByteArray pending_;  // sent but not yet written to the socket
};

}  // namespace Orvanel
