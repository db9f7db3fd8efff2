#include "cli/targets.h"

#include <QFile>
#include <QHostAddress>
#include <QStringDecoder>

#include <algorithm>
#include <exception>

#include "core/link/link_error.h"
#include "core/link/settings_store.h"

namespace Q6Cli {

namespace {

using Orvanel::ConnectionKind;

bool isControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// Where the first control character of text is, or -1.
qsizetype firstControl(QStringView text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (isControl(text[i].unicode())) {
      return i;
    }
  }
  return -1;
}

QString escapeOf(char32_t c) {
  switch (c) {
    case '\n':
      return QStringLiteral("\\n");
    case '\r':
      return QStringLiteral("\\r");
    case '\t':
      return QStringLiteral("\\t");
    default:
      break;
  }
  if (c < 0x100) {
    return QStringLiteral("\\x%1").arg(static_cast<uint>(c), 2, 16, QLatin1Char('0'));
  }
  return QStringLiteral("\\u%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0'));
}

bool needsEscape(char32_t c) {
  return isControl(c) || c == 0x2028 || c == 0x2029 || c == 0x200E || c == 0x200F ||
         (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

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
    if (c.isSpace() || c == u'/' || c == u'@' || c == u'?' || c == u'#' || c == u'[' || c == u']') {
      return QStringLiteral("\"%1\" is not a host name or address").arg(host);
    }
  }
  s->host = host;
  if (!port.isEmpty() && !parsePort(port, &s->port)) {
    return QStringLiteral("the port \"%1\" is not a number from 1 to 65535").arg(port);
  }
  return {};
}

QString parseQueue(const QString& rest, Orvanel::LinkSettings* s) {
  // CUPS names a queue with printable characters other than blanks, '/' and '#'.
  for (const QChar c : rest) {
    if (c.isSpace() || c == u'/' || c == u'#') {
      return QStringLiteral("a queue name has no blanks, '/' or '#'");
    }
  }
  s->queue = rest;
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

QString displayText(QStringView text) {
  qsizetype i = 0;
  while (i < text.size() && !needsEscape(text[i].unicode())) {
    ++i;
  }
  if (i == text.size()) {
    return text.toString();
  }
  QString out = text.left(i).toString();
  for (; i < text.size(); ++i) {
    const char32_t c = text[i].unicode();
    if (needsEscape(c)) {
      out += escapeOf(c);
    } else {
      out += text[i];
    }
  }
  return out;
}

std::optional<Target> parseTarget(const QString& text, int timeoutMs, bool overrideStored,
                                  QString* error) {
  Target target{text, {}};
  Orvanel::LinkSettings& s = target.settings;
  s.timeoutMs = timeoutMs;
  QString problem;
  const qsizetype control = firstControl(text);
  if (control >= 0) {
    problem = QStringLiteral("a target has no control characters (%1 at character %2)")
                  .arg(escapeOf(text[control].unicode()))
                  .arg(control + 1);
  } else if (text == u"stored") {
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
    problem = parseQueue(text.mid(6), &s);
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
    problem = Orvanel::validateLinkSettings(s).error();
  }
  if (!problem.isEmpty()) {
    *error = QStringLiteral("target %1: %2").arg(displayText(text), problem);
    return std::nullopt;
  }
  return target;
}

QString targetText(const Orvanel::LinkSettings& s) {
  switch (s.kind) {
    case ConnectionKind::Network:
      // An IPv6 address needs brackets, or its colons would be read as the port's.
      return s.host.contains(u':')
                 ? QStringLiteral("tcp://[%1]:%2").arg(s.host, QString::number(s.port))
                 : QStringLiteral("tcp://%1:%2").arg(s.host, QString::number(s.port));
    case ConnectionKind::Queue:
      return QStringLiteral("queue:") + s.queue;
    case ConnectionKind::File:
      return QStringLiteral("file:") + s.path;
    case ConnectionKind::Serial: {
      // The parameters that differ from what a serial target has when none is given.
      const Orvanel::LinkSettings plain;
      QStringList parameters;
      if (s.baudRate != plain.baudRate) {
        parameters << QStringLiteral("baud=%1").arg(s.baudRate);
      }
      if (s.dataBits != plain.dataBits) {
        parameters << QStringLiteral("data=%1").arg(s.dataBits);
      }
      if (s.parity != plain.parity) {
        parameters << (s.parity == Orvanel::Parity::Even ? QStringLiteral("parity=even")
                                                         : QStringLiteral("parity=odd"));
      }
      if (s.stopBits != plain.stopBits) {
        parameters << QStringLiteral("stop=%1").arg(s.stopBits);
      }
      if (s.flowControl != plain.flowControl) {
        parameters << (s.flowControl == Orvanel::FlowControl::Hardware
                           ? QStringLiteral("flow=hardware")
                           : QStringLiteral("flow=software"));
      }
      return QStringLiteral("serial:") + s.serialPort +
             (parameters.isEmpty() ? QString() : u'?' + parameters.join(u'&'));
    }
    case ConnectionKind::NotSet:
      break;
  }
  return QString();
}

bool parseTargetsText(QByteArrayView data, const QString& source, std::vector<TargetLine>* targets,
                      QString* error) {
  qsizetype start = 0;
  int number = 0;
  while (start < data.size()) {
    qsizetype end = data.indexOf('\n', start);
    if (end < 0) {
      end = data.size();
    }
    QByteArrayView raw = data.sliced(start, end - start);
    start = end + 1;
    ++number;
    if (raw.endsWith('\r')) {
      raw.chop(1);  // a line end written as CR LF
    }
    if (number == 1 && raw.startsWith("\xEF\xBB\xBF")) {
      raw = raw.sliced(3);  // the byte order mark some editors write first
    }
    const QString origin = QStringLiteral("%1 line %2").arg(source, QString::number(number));
    for (qsizetype i = 0; i < raw.size(); ++i) {
      const auto byte = static_cast<unsigned char>(raw[i]);
      if ((byte < 0x20 && byte != '\t') || byte == 0x7F) {
        *error = QStringLiteral(
                     "%1: control character %2 at column %3; a targets file has one target a line, "
                     "as text.")
                     .arg(origin, escapeOf(byte))
                     .arg(i + 1);
        return false;
      }
    }
    QString line;
    bool ascii = true;
    for (const char c : raw) {
      ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    }
    if (ascii) {
      line = QString::fromLatin1(raw);
    } else {
      QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
      line = decoder(raw);
      if (decoder.hasError()) {
        *error = QStringLiteral("%1: the line is not UTF-8 text.").arg(origin);
        return false;
      }
      const qsizetype control = firstControl(line);
      if (control >= 0) {
        *error = QStringLiteral(
                     "%1: control character %2 at character %3; a targets file has one target a "
                     "line, as text.")
                     .arg(origin, escapeOf(line[control].unicode()))
                     .arg(control + 1);
        return false;
      }
    }
    // A comment starts with '#' at the start of the line or after a blank.
    for (qsizetype i = 0; i < line.size(); ++i) {
      if (line[i] == u'#' && (i == 0 || line[i - 1] == u' ' || line[i - 1] == u'\t')) {
        line.truncate(i);
        break;
      }
    }
    line = line.trimmed();
    if (!line.isEmpty()) {
      targets->push_back({line, origin});
    }
  }
  return true;
}

bool readTargetsFile(const QString& path, std::vector<TargetLine>* targets, QString* error) {
  QFile file;
  const bool opened = path == u"-" ? file.open(stdin, QIODevice::ReadOnly)
                                   : (file.setFileName(path), file.open(QIODevice::ReadOnly));
  if (!opened) {
    *error = QStringLiteral("cannot read the targets file %1: %2")
                 .arg(displayText(path), file.errorString());
    return false;
  }
  // A targets file is a few lines per printer; anything much larger is not one.
  constexpr qint64 kLimit = 16 * 1024 * 1024;
  QByteArray data;
  while (data.size() <= kLimit) {
    const QByteArray chunk = file.read(kLimit + 1 - data.size());
    if (chunk.isEmpty()) {
      break;
    }
    data += chunk;
  }
  if (file.error() != QFileDevice::NoError) {
    *error = QStringLiteral("cannot read the targets file %1: %2")
                 .arg(displayText(path), file.errorString());
    return false;
  }
  if (data.size() > kLimit) {
    *error = QStringLiteral("the targets file %1 is larger than 16 MiB").arg(displayText(path));
    return false;
  }
  const QString source = path == u"-" ? QStringLiteral("standard input") : displayText(path);
  return parseTargetsText(data, source, targets, error);
}

}  // namespace Q6Cli
