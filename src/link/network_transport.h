#pragma once

#include <QTcpSocket>

#include "link/transport.h"

namespace Orvanel {

// Raw TCP (port 9100 by default); connect and every write bounded by the time limit.
class NetworkTransport : public Transport {
 public:
  NetworkTransport(QString host, int port, int timeoutMs);
  void open() override;
  void write(const QByteArray& data) override;
  void close() override;

 private:
  QString target() const;
  QString host_;
  int port_;
  int timeoutMs_;
  QTcpSocket socket_;
};

}  // namespace Orvanel
