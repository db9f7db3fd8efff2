#include "link/link_settings.h"

#include <QSettings>

namespace Orvanel {

namespace {

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

LinkSettings readLinkSettings(QSettings& store, const QString& key, QStringList* problems) {
  LinkSettings s;
  QStringList found;
  // A value that is there but names nothing this program knows is refused, never replaced by a
  // default: a guessed connection sends to the wrong place or with the wrong parameters.
  const auto unknown = [&](const QString& name, const QString& value, const QStringList& allowed) {
    found << QStringLiteral("%1=%2 is not one of %3.")
                 .arg(name, value, allowed.join(QStringLiteral(", ")));
  };
  store.beginGroup(key);
  const QString kind = store.value(Keys::kConnection).toString().trimmed();
  for (ConnectionKind k : {ConnectionKind::Network, ConnectionKind::Queue, ConnectionKind::File,
                           ConnectionKind::Serial}) {
    if (kind.compare(connectionKindName(k), Qt::CaseInsensitive) == 0) {
      s.kind = k;
    }
  }
  if (s.kind == ConnectionKind::NotSet && !kind.isEmpty()) {
    unknown(Keys::kConnection, kind,
            {QStringLiteral("Network"), QStringLiteral("Queue"), QStringLiteral("File"),
             QStringLiteral("Serial")});
  }
  s.host = store.value(Keys::kHost).toString().trimmed();
  s.port = readSetting(store, Keys::kPort, kDefaultPort);
  const QString timeout = store.value(Keys::kTimeoutMs).toString().trimmed();
  if (!timeout.isEmpty()) {
    bool ok = false;
    const int value = timeout.toInt(&ok);
    if (ok && value >= 1 && value <= kMaxTimeoutMs) {
      s.timeoutMs = value;
    } else {
      found << QStringLiteral("%1=%2 is not a number of milliseconds from 1 to %3.")
                   .arg(Keys::kTimeoutMs, timeout)
                   .arg(kMaxTimeoutMs);
    }
  }
  s.queue = store.value(Keys::kQueue).toString().trimmed();
  s.path = store.value(Keys::kPath).toString();
  s.serialPort = store.value(Keys::kSerialPort).toString().trimmed();
  s.baudRate = readSetting(store, Keys::kBaudRate, s.baudRate);
  s.dataBits = readSetting(store, Keys::kDataBits, s.dataBits);
  const QString parity = store.value(Keys::kParity).toString().trimmed();
  bool parityKnown = parity.isEmpty();
  for (Parity p : {Parity::None, Parity::Even, Parity::Odd}) {
    if (parity.compare(parityName(p), Qt::CaseInsensitive) == 0) {
      s.parity = p;
      parityKnown = true;
    }
  }
  s.stopBits = readSetting(store, Keys::kStopBits, s.stopBits);
  const QString flow = store.value(Keys::kFlowControl).toString().trimmed();
  bool flowKnown = flow.isEmpty();
  for (FlowControl f : {FlowControl::None, FlowControl::Hardware, FlowControl::Software}) {
    if (flow.compare(flowControlName(f), Qt::CaseInsensitive) == 0) {
      s.flowControl = f;
      flowKnown = true;
    }
  }
  // Serial parameters only matter to a serial connection.
  if (s.kind == ConnectionKind::Serial && !parityKnown) {
    unknown(Keys::kParity, parity,
            {QStringLiteral("None"), QStringLiteral("Even"), QStringLiteral("Odd")});
  }
  if (s.kind == ConnectionKind::Serial && !flowKnown) {
    unknown(Keys::kFlowControl, flow,
            {QStringLiteral("None"), QStringLiteral("Hardware"), QStringLiteral("Software")});
  }
  store.endGroup();
  if (problems) {
    *problems = found;
  }
  return s;
}

std::vector<std::pair<QString, QVariant>> linkSettingsValues(const LinkSettings& s) {
  return {{Keys::kConnection, connectionKindName(s.kind)},
          {Keys::kHost, s.host},
          {Keys::kPort, s.port},
          {Keys::kTimeoutMs, s.timeoutMs},
          {Keys::kQueue, s.queue},
          {Keys::kPath, s.path},
          {Keys::kSerialPort, s.serialPort},
          {Keys::kBaudRate, s.baudRate},
          {Keys::kDataBits, s.dataBits},
          {Keys::kParity, parityName(s.parity)},
          {Keys::kStopBits, s.stopBits},
          {Keys::kFlowControl, flowControlName(s.flowControl)}};
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
