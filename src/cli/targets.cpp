#include "cli/targets.h"

#include <QFile>
#include <QHostAddress>

#include <exception>

#include "link/link_error.h"
#include "link/settings_store.h"

namespace Q6Cli {

namespace {

using Orvanel::ConnectionKind;

bool parsePort(const QString& text, int* port) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value < 1 || value > 65535) {
    return false;
  }
  *port = value;
  return true;
}

// "HOST", "HOST:PORT", "[V6]", "[V6]:PORT" or a bare IPv6 address.
QString parseHostPort(const QString& rest, Orvanel::LinkSettings* s) {
  QString host = rest;
  QString port;
  if (rest.startsWith(u'[')) {
    const qsizetype close = rest.indexOf(u']');
    if (close < 0) {
      return QStringLiteral("the address has no closing ']'");
    }
    host = rest.mid(1, close - 1);
    const QString after = rest.mid(close + 1);
    if (!after.isEmpty()) {
      if (!after.startsWith(u':')) {
        return QStringLiteral("unexpected text after the address");
      }
      port = after.mid(1);
      if (port.isEmpty()) {
        return QStringLiteral("the port is missing after ':'");
      }
    }
  } else if (rest.count(u':') == 1) {
    host = rest.section(u':', 0, 0);
    port = rest.section(u':', 1);
    if (port.isEmpty()) {
      return QStringLiteral("the port is missing after ':'");
    }
  } else if (rest.count(u':') > 1 &&
             QHostAddress(rest).protocol() != QAbstractSocket::IPv6Protocol) {
    return QStringLiteral("write an IPv6 address with a port as [ADDRESS]:PORT");
  }
  if (host.isEmpty()) {
    return QStringLiteral("the host is missing");
  }
  for (const QChar c : host) {
    if (c.isSpace() || c == u'/' || c == u'@' || c == u'?' || c == u'#') {
      return QStringLiteral("\"%1\" is not a host name or address").arg(host);
    }
  }
  s->host = host;
  if (!port.isEmpty() && !parsePort(port, &s->port)) {
    return QStringLiteral("the port \"%1\" is not a number from 1 to 65535").arg(port);
  }
  return {};
}

QString parseSerial(const QString& rest, Orvanel::LinkSettings* s) {
  const qsizetype q = rest.indexOf(u'?');
  s->serialPort = q < 0 ? rest : rest.left(q);
  if (s->serialPort.isEmpty()) {
    return QStringLiteral("the serial port is missing");
  }
  if (q < 0) {
    return {};
  }
  const QStringList pairs = rest.mid(q + 1).split(u'&', Qt::SkipEmptyParts);
  for (const QString& pair : pairs) {
    const qsizetype eq = pair.indexOf(u'=');
    const QString key = (eq < 0 ? pair : pair.left(eq)).toLower();
    const QString value = eq < 0 ? QString() : pair.mid(eq + 1).toLower();
    bool ok = false;
    if (key == u"baud") {
      s->baudRate = value.toInt(&ok);
      if (!ok || s->baudRate <= 0) {
        return QStringLiteral("baud \"%1\" is not a positive number").arg(value);
      }
    } else if (key == u"data") {
      s->dataBits = value.toInt(&ok);
      if (!ok || s->dataBits < 5 || s->dataBits > 8) {
        return QStringLiteral("data \"%1\" is not 5, 6, 7 or 8").arg(value);
      }
    } else if (key == u"stop") {
      s->stopBits = value.toInt(&ok);
      if (!ok || (s->stopBits != 1 && s->stopBits != 2)) {
        return QStringLiteral("stop \"%1\" is not 1 or 2").arg(value);
      }
    } else if (key == u"parity") {
      if (value == u"none") {
        s->parity = Orvanel::Parity::None;
      } else if (value == u"even") {
        s->parity = Orvanel::Parity::Even;
      } else if (value == u"odd") {
        s->parity = Orvanel::Parity::Odd;
      } else {
        return QStringLiteral("parity \"%1\" is not none, even or odd").arg(value);
      }
    } else if (key == u"flow") {
      if (value == u"none") {
        s->flowControl = Orvanel::FlowControl::None;
      } else if (value == u"hardware" || value == u"rtscts") {
        s->flowControl = Orvanel::FlowControl::Hardware;
      } else if (value == u"software" || value == u"xonxoff") {
        s->flowControl = Orvanel::FlowControl::Software;
      } else {
        return QStringLiteral("flow \"%1\" is not none, hardware or software").arg(value);
      }
    } else {
      return QStringLiteral("unknown serial parameter \"%1\" (baud, data, parity, stop, flow)")
          .arg(key);
    }
  }
  return {};
}

}  // namespace

std::optional<Target> parseTarget(const QString& text, int timeoutMs, bool overrideStored,
                                  QString* error) {
  Target target{text, {}};
  Orvanel::LinkSettings& s = target.settings;
  s.timeoutMs = timeoutMs;
  QString problem;
  if (text == u"stored") {
    try {
      s = Orvanel::loadStoredLinkSettings(Orvanel::kLinkSettingsKey);
    } catch (const std::exception& e) {
      *error = QStringLiteral("target stored: %1").arg(QString::fromLocal8Bit(e.what()));
      return std::nullopt;
    }
    if (s.kind == ConnectionKind::NotSet) {
      *error = QStringLiteral(
                   "target stored: no printer connection is stored for this user in %1; set one "
                   "up in the window program or write it there.")
                   .arg(Orvanel::settingsFilePath());
      return std::nullopt;
    }
    if (overrideStored) {
      s.timeoutMs = timeoutMs;
    }
  } else if (text.startsWith(QStringLiteral("tcp://"))) {
    s.kind = ConnectionKind::Network;
    problem = parseHostPort(text.mid(6), &s);
  } else if (text.startsWith(QStringLiteral("queue:"))) {
    s.kind = ConnectionKind::Queue;
    s.queue = text.mid(6);
  } else if (text.startsWith(QStringLiteral("file:"))) {
    s.kind = ConnectionKind::File;
    s.path = text.mid(5);
  } else if (text.startsWith(QStringLiteral("serial:"))) {
    s.kind = ConnectionKind::Serial;
    problem = parseSerial(text.mid(7), &s);
  } else {
    problem = QStringLiteral(
        "not a target; write tcp://HOST[:PORT], queue:NAME, file:PATH, serial:PORT?... or "
        "stored");
  }
  if (problem.isEmpty()) {
    problem = Orvanel::validateLinkSettings(s);
  }
  if (!problem.isEmpty()) {
    *error = QStringLiteral("target %1: %2").arg(text, problem);
    return std::nullopt;
  }
  return target;
}

bool readTargetsFile(const QString& path, QStringList* targets, QString* error) {
  QFile file;
  const bool opened = path == u"-" ? file.open(stdin, QIODevice::ReadOnly)
                                   : (file.setFileName(path), file.open(QIODevice::ReadOnly));
  if (!opened) {
    *error = QStringLiteral("cannot read the targets file %1: %2").arg(path, file.errorString());
    return false;
  }
  // A targets file is a few lines per printer; anything much larger is not one.
  constexpr qint64 kLimit = 16 * 1024 * 1024;
  const QByteArray data = file.read(kLimit + 1);
  if (data.size() > kLimit) {
    *error = QStringLiteral("the targets file %1 is larger than 16 MiB").arg(path);
    return false;
  }
  for (const QByteArray& raw : data.split('\n')) {
    const QString line = QString::fromUtf8(raw).trimmed();
    if (!line.isEmpty() && !line.startsWith(u'#')) {
      targets->append(line);
    }
  }
  return true;
}

}  // namespace Q6Cli
