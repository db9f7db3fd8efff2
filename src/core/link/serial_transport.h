#pragma once

#include <QSerialPort>

#include "core/link/link_settings.h"
#include "core/link/transport.h"

namespace Orvanel {

// A printer on a serial port. Every write and the final drain give up when the printer takes no
// byte for the time limit, so a printer that holds flow control off (switched off, offline, out of
// paper) ends the exchange with a "not ready" error instead of blocking the program, while a slow
// printer that keeps taking bytes is not cut off.
class SerialTransport : public Transport {
 public:
  explicit SerialTransport(const LinkSettings& settings);
  ~SerialTransport() override;
  void open() override;
  void write(const QByteArray& data) override;
  void close() override;

 private:
  [[noreturn]] void failNotReady();
  [[noreturn]] void failWith(const QString& reason);
  void discardAndClose();
  LinkSettings settings_;
  QSerialPort port_;
};

}  // namespace Orvanel
