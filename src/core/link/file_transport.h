#pragma once

#include <QString>

#include "core/link/transport.h"

namespace Orvanel {

// A capture file or a device node such as /dev/usb/lp0, opened for appending (created if missing).
// A device or pipe that cannot take the bytes (printer offline, out of paper, nobody reading) gives
// an error once the time limit is up instead of freezing the window.
//
// One exchange at a time: from open to close the transport holds an exclusive lock (flock) on the
// file, pipe or device, so two exchanges on one printer (two runs of the command-line tool, or it
// and the window) never interleave; the second waits for the lock within its time limit, then fails
// saying the printer is busy. The commands are collected and written together at the close (or
// whenever 64 KiB have gathered), so an exchange is one write where the device takes it whole.
class FileTransport : public Transport {
 public:
  FileTransport(QString path, int timeoutMs);
  ~FileTransport() override;
  void open() override;
  void write(const QByteArray& data) override;
  void close() override;

 private:
  static constexpr qsizetype kFlushThreshold = 64 * 1024;

  [[noreturn]] void fail(const QString& what, int error);
  [[noreturn]] void failNotReady();
  void lockExclusive();
  void flush();
  void awaitTaken(unsigned long request);
  void release();
  QString path_;
  int timeoutMs_;
  int fd_ = -1;
  QByteArray pending_;  // sent but not yet written
};

}  // namespace Orvanel
