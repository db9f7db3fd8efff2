#pragma once

#include <QString>

#include "link/transport.h"

namespace Orvanel {

// A capture file or a device node such as /dev/usb/lp0, opened for appending (created if missing).
// A device or pipe that cannot take the bytes (printer offline, out of paper, nobody reading) gives
// an error once the time limit is up instead of freezing the window.
class FileTransport : public Transport {
 public:
  FileTransport(QString path, int timeoutMs);
  ~FileTransport() override;
  void open() override;
  void write(const QByteArray& data) override;
  void close() override;

 private:
  [[noreturn]] void fail(const QString& what, int error);
  [[noreturn]] void failNotReady();
  void awaitTaken(unsigned long request);
  QString path_;
  int timeoutMs_;
  int fd_ = -1;
};

}  // namespace Orvanel
