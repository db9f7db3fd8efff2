#include "core/link/serial_transport.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "core/link/link_error.h"
#include "core/link/open_problem.h"

namespace Orvanel {

namespace {

QSerialPort::Parity toQt(Parity parity) {
  switch (parity) {
    case Parity::Even:
      return QSerialPort::EvenParity;
    case Parity::Odd:
      return QSerialPort::OddParity;
    case Parity::None:
      break;
  }
  return QSerialPort::NoParity;
}

QSerialPort::FlowControl toQt(FlowControl flow) {
  switch (flow) {
    case FlowControl::Hardware:
      return QSerialPort::HardwareControl;
    case FlowControl::Software:
      return QSerialPort::SoftwareControl;
    case FlowControl::None:
      break;
  }
  return QSerialPort::NoFlowControl;
}

// QSerialPort's error kinds lump a port of someone else's group together with one another program
// holds (by its lock file or exclusively), and its text may be its own rather than the system's.
// Which it is, is asked again here: without opening the port where that can be helped, since
// opening may toggle the modem lines of a printer another program is talking to.
// A port named as QSerialPort takes it ("ttyUSB0") is a node under /dev.
QString devicePath(const QString& port) {
  return port.startsWith(QLatin1Char('/')) ? port : QStringLiteral("/dev/") + port;
}

int whyNotOpened(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  if (::access(name.constData(), W_OK) != 0) {
    return errno;
  }
  if (!deviceHolders(path).isEmpty()) {
    return EBUSY;
  }
  const int fd = ::open(name.constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return errno;
  }
  ::close(fd);
  return 0;
}

}  // namespace

SerialTransport::SerialTransport(const LinkSettings& settings) : settings_(settings) {}

SerialTransport::~SerialTransport() {
  discardAndClose();
}

void SerialTransport::discardAndClose() {
  if (!port_.isOpen()) {
    return;
  }
  // Bytes the printer did not take are dropped: otherwise closing the device would wait for them
  // (up to half a minute on common serial drivers), and they would print as garbage later.
  port_.clear(QSerialPort::Output);
  port_.close();
}

void SerialTransport::failNotReady() {
  discardAndClose();
  throw LinkError(
      QStringLiteral("The printer on the serial port %1 is not ready: it took no data within %2 "
                     "ms. Check that the printer is switched on, online and has paper, and that "
                     "the flow control setting matches the printer.")
          .arg(settings_.serialPort)
          .arg(settings_.timeoutMs));
}

void SerialTransport::failWith(const QString& reason) {
  discardAndClose();
  throw LinkError(
      QStringLiteral("Could not send to the serial port %1: %2").arg(settings_.serialPort, reason));
}

void SerialTransport::open() {
  discardAndClose();
  port_.setPortName(settings_.serialPort);
  port_.setBaudRate(settings_.baudRate);
  port_.setDataBits(static_cast<QSerialPort::DataBits>(settings_.dataBits));
  port_.setParity(toQt(settings_.parity));
  port_.setStopBits(settings_.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
  port_.setFlowControl(toQt(settings_.flowControl));
  if (!port_.open(QIODevice::WriteOnly)) {
    const QString reason = port_.errorString();
    const QSerialPort::SerialPortError kind = port_.error();
    port_.close();
    QString message =
        QStringLiteral("Could not open the serial port %1: %2").arg(settings_.serialPort, reason);
    if (kind == QSerialPort::PermissionError || kind == QSerialPort::ResourceError) {
      const QString path = devicePath(settings_.serialPort);
      message = withOpenHint(message, whyNotOpened(path), path);
    }
    throw LinkError(message);
  }
}

void SerialTransport::write(const QByteArray& data) {
  if (!port_.isOpen()) {
    throw LinkError(QStringLiteral("The serial port %1 is not open.").arg(settings_.serialPort));
  }
  if (port_.write(data) != data.size()) {
    failWith(port_.errorString());
  }
  // The limit is for a printer that takes nothing: a slow one that keeps taking bytes may need
  // longer than that in all (the character-set sheet takes over five seconds at 1200 baud).
  qint64 pending = port_.bytesToWrite();
  QDeadlineTimer deadline(settings_.timeoutMs);
  while (pending > 0) {
    if (!port_.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
      if (port_.error() == QSerialPort::TimeoutError || port_.error() == QSerialPort::NoError) {
        failNotReady();
      }
      failWith(port_.errorString());
    }
    const qint64 left = port_.bytesToWrite();
    if (left < pending) {
      pending = left;
      deadline.setRemainingTime(settings_.timeoutMs);
    } else if (deadline.hasExpired()) {
      failNotReady();
    }
  }
}

void SerialTransport::close() {
  if (!port_.isOpen()) {
    return;
  }
  // The driver may still hold bytes that the printer has not taken; they must be out before the
  // exchange counts as done.
  // As in write(), only a printer that took nothing for the whole limit is not ready.
  const int fd = static_cast<int>(port_.handle());
  QDeadlineTimer deadline(settings_.timeoutMs);
  int before = -1;
  for (;;) {
    int pending = 0;
    if (::ioctl(fd, TIOCOUTQ, &pending) != 0 || pending <= 0) {
      break;
    }
    if (before < 0 || pending < before) {
      deadline.setRemainingTime(settings_.timeoutMs);
    } else if (deadline.hasExpired()) {
      failNotReady();
    }
    before = pending;
    QThread::msleep(5);
  }
  port_.close();
}

}  // namespace Orvanel
