#pragma once

#include <QByteArray>

namespace Orvanel {

// The three operations an exchange uses; the real component, the command-line tool's link and the
// recording fake of the tests all implement them. Each raises LinkError on failure.
class PrinterLink {
 public:
  virtual ~PrinterLink() = default;
  virtual void OpenConnection() = 0;
  virtual void SendData(const QByteArray& data) = 0;
  virtual void CloseConnection() = 0;
};

}  // namespace Orvanel
