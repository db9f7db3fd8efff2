#pragma once

#include <QFile>

#include "link/transport.h"

namespace Orvanel {

// A capture file or a device node such as /dev/usb/lp0, opened for appending (created if missing).
class FileTransport : public Transport {
 public:
  explicit FileTransport(QString path);
  void open() override;
  void write(const QByteArray& data) override;
  void close() override;

 private:
  QString path_;
  QFile file_;
};

}  // namespace Orvanel
