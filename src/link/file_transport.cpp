#include "link/file_transport.h"

#include <utility>

#include "link/link_error.h"

namespace Orvanel {

FileTransport::FileTransport(QString path) : path_(std::move(path)) {}

void FileTransport::open() {
  if (file_.isOpen()) {
    file_.close();
  }
  file_.setFileName(path_);
  // Unbuffered: every send reaches the device before SendData returns.
  if (!file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
    throw LinkError(
        QStringLiteral("Could not open the printer file %1: %2").arg(path_, file_.errorString()));
  }
}

void FileTransport::write(const QByteArray& data) {
  if (!file_.isOpen()) {
    throw LinkError(QStringLiteral("The printer file %1 is not open.").arg(path_));
  }
  qint64 done = 0;
  while (done < data.size()) {
    const qint64 n = file_.write(data.constData() + done, data.size() - done);
    if (n <= 0) {
      const QString reason = file_.errorString();
      file_.close();
      throw LinkError(
          QStringLiteral("Could not write to the printer file %1: %2").arg(path_, reason));
    }
    done += n;
  }
}

void FileTransport::close() {
  if (!file_.isOpen()) {
    return;
  }
  const bool flushed = file_.flush();
  const QString reason = file_.errorString();
  file_.close();
  if (!flushed) {
    throw LinkError(
        QStringLiteral("Could not write to the printer file %1: %2").arg(path_, reason));
  }
}

}  // namespace Orvanel
