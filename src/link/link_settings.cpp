#include "link/link_settings.h"

#include <QSettings>

namespace Orvanel {

namespace {

int readInt(QSettings& store, const QString& name, int fallback) {
  bool ok = false;
  const int value = store.value(name).toString().trimmed().toInt(&ok);
  return ok ? value : fallback;
}

// A value that decides where or how bytes go must not be guessed: missing or empty takes the
// default, but a value that is there and unreadable becomes 0, which the check refuses with a
// message that says what to fix.
int readSetting(QSettings& store, const QString& name, int fallback) {
  const QString text = store.value(name).toString().trimmed();
  if (text.isEmpty()) {
    return fallback;
  }
  bool ok = false;
  const int value = text.toInt(&ok);
  return ok ? value : 0;
}

QString parityName(Parity parity) {
  switch (parity) {
    case Parity::Even:
      return QStringLiteral("Even");
    case Parity::Odd:
      return QStringLiteral("Odd");
    case Parity::None:
      break;
  }
  return QStringLiteral("None");
}

QString flowControlName(FlowControl flow) {
  switch (flow) {
    case FlowControl::Hardware:
      return QStringLiteral("Hardware");
    case FlowControl::Software:
      return QStringLiteral("Software");
    case FlowControl::None:
      break;
  }
  return QStringLiteral("None");
}

}  // namespace

QString connectionKindName(ConnectionKind kind) {
  switch (kind) {
    case ConnectionKind::Network:
      return QStringLiteral("Network");
    case ConnectionKind::Queue:
      return QStringLiteral("Queue");
    case ConnectionKind::File:
      return QStringLiteral("File");
    case ConnectionKind::Serial:
      return QStringLiteral("Serial");
    case ConnectionKind::NotSet:
      break;
  }
  return QString();
}

LinkSettings readLinkSettings(QSettings& store, const QString& key) {
  LinkSettings s;
  store.beginGroup(key);
  const QString kind = store.value(Keys::kConnection).toString().trimmed();
  for (ConnectionKind k : {ConnectionKind::Network, ConnectionKind::Queue, ConnectionKind::File,
                           ConnectionKind::Serial}) {
    if (kind.compare(connectionKindName(k), Qt::CaseInsensitive) == 0) {
      s.kind = k;
    }
  }
  s.host = store.value(Keys::kHost).toString().trimmed();
  s.port = readSetting(store, Keys::kPort, kDefaultPort);
  s.timeoutMs = readInt(store, Keys::kTimeoutMs, kDefaultTimeoutMs);
  if (s.timeoutMs <= 0) {
    s.timeoutMs = kDefaultTimeoutMs;
  }
  s.queue = store.value(Keys::kQueue).toString().trimmed();
  s.path = store.value(Keys::kPath).toString();
  s.serialPort = store.value(Keys::kSerialPort).toString().trimmed();
  s.baudRate = readSetting(store, Keys::kBaudRate, s.baudRate);
  s.dataBits = readSetting(store, Keys::kDataBits, s.dataBits);
  const QString parity = store.value(Keys::kParity).toString().trimmed();
  for (Parity p : {Parity::None, Parity::Even, Parity::Odd}) {
    if (parity.compare(parityName(p), Qt::CaseInsensitive) == 0) {
      s.parity = p;
    }
  }
  s.stopBits = readSetting(store, Keys::kStopBits, s.stopBits);
  const QString flow = store.value(Keys::kFlowControl).toString().trimmed();
  for (FlowControl f : {FlowControl::None, FlowControl::Hardware, FlowControl::Software}) {
    if (flow.compare(flowControlName(f), Qt::CaseInsensitive) == 0) {
      s.flowControl = f;
    }
  }
  store.endGroup();
  return s;
}

void writeLinkSettings(QSettings& store, const QString& key, const LinkSettings& s) {
  store.beginGroup(key);
  store.setValue(Keys::kConnection, connectionKindName(s.kind));
  store.setValue(Keys::kHost, s.host);
  store.setValue(Keys::kPort, s.port);
  store.setValue(Keys::kTimeoutMs, s.timeoutMs);
  store.setValue(Keys::kQueue, s.queue);
  store.setValue(Keys::kPath, s.path);
  store.setValue(Keys::kSerialPort, s.serialPort);
  store.setValue(Keys::kBaudRate, s.baudRate);
  store.setValue(Keys::kDataBits, s.dataBits);
  store.setValue(Keys::kParity, parityName(s.parity));
  store.setValue(Keys::kStopBits, s.stopBits);
  store.setValue(Keys::kFlowControl, flowControlName(s.flowControl));
  store.endGroup();
  store.sync();
}

QString validateLinkSettings(const LinkSettings& s) {
  switch (s.kind) {
    case ConnectionKind::NotSet:
      return QStringLiteral("Choose how this computer reaches the printer.");
    case ConnectionKind::Network:
      if (s.host.trimmed().isEmpty()) {
        return QStringLiteral("Enter the printer's network address (host name or IP address).");
      }
      if (s.port < 1 || s.port > 65535) {
        return QStringLiteral("The port must be a number from 1 to 65535.");
      }
      break;
    case ConnectionKind::Queue:
      if (s.queue.trimmed().isEmpty()) {
        return QStringLiteral("Choose or enter the printer queue.");
      }
      break;
    case ConnectionKind::File:
      if (s.path.trimmed().isEmpty()) {
        return QStringLiteral("Enter the path of the printer device or file.");
      }
      break;
    case ConnectionKind::Serial:
      if (s.serialPort.trimmed().isEmpty()) {
        return QStringLiteral("Choose or enter the serial port.");
      }
      if (s.baudRate <= 0) {
        return QStringLiteral("The baud rate must be a positive number.");
      }
      if (s.dataBits < 5 || s.dataBits > 8) {
        return QStringLiteral("The data bits must be 5, 6, 7 or 8.");
      }
      if (s.stopBits != 1 && s.stopBits != 2) {
        return QStringLiteral("The stop bits must be 1 or 2.");
      }
      break;
  }
  if (s.timeoutMs <= 0 || s.timeoutMs > kMaxTimeoutMs) {
    return QStringLiteral("The time limit must be a number of milliseconds from 1 to %1.")
        .arg(kMaxTimeoutMs);
  }
  return QString();
}

}  // namespace Orvanel
