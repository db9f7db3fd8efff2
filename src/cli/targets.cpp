#include "cli/targets.h"

#include <QHostAddress>

#include <algorithm>

#include "core/link/link_error.h"
#include "core/store/settings_store.h"

namespace Q6Cli {

namespace {

bool isControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

}  // namespace

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

namespace {

using Orvanel::ConnectionKind;

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

// "none, even or odd": how a serial target writes the choices of a table.
template <typename Value, std::size_t N>
QString choiceWords(const Orvanel::NamedChoice<Value> (&choices)[N]) {
  QStringList names;
  for (const Orvanel::NamedChoice<Value>& choice : choices) {
    names << QString::fromLatin1(choice.stored).toLower();
  }
  const QString last = names.takeLast();
  return names.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
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
    if (key == u"baud" || key == u"data" || key == u"stop") {
      // A number that cannot be read is 0: the link settings' own check refuses it, in the words
      // the window and the settings file use, before the next parameter is read.
      (key == u"baud" ? s->baudRate : key == u"data" ? s->dataBits : s->stopBits) = value.toInt();
      if (const Q6::Result<> valid = Orvanel::validateLinkSettings(*s); !valid) {
        return valid.error();
      }
    } else if (key == u"parity") {
      const std::optional<Orvanel::Parity> parity = Orvanel::choiceNamed(Orvanel::kParities, value);
      if (!parity) {
        return QStringLiteral("parity \"%1\" is not %2")
            .arg(value, choiceWords(Orvanel::kParities));
      }
      s->parity = *parity;
    } else if (key == u"flow") {
      // The tool also takes the common short names of the two kinds of flow control.
      const QString name = value == u"rtscts"    ? QStringLiteral("hardware")
                           : value == u"xonxoff" ? QStringLiteral("software")
                                                 : value;
      const std::optional<Orvanel::FlowControl> flow =
          Orvanel::choiceNamed(Orvanel::kFlowControls, name);
      if (!flow) {
        return QStringLiteral("flow \"%1\" is not %2")
            .arg(value, choiceWords(Orvanel::kFlowControls));
      }
      s->flowControl = *flow;
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
    } catch (const Orvanel::LinkError& e) {
      // The window is where the stored connection is set up; a target of its own needs none.
      const QString fix = e.remedy() == Orvanel::LinkRemedy::FixFile
                              ? QStringLiteral("Fix or remove that file")
                              : QStringLiteral(
                                    "Correct it in the window program's Communication "
                                    "settings");
      *error = QStringLiteral(
                   "target stored: %1 %2, or name the printer instead of stored "
                   "(tcp://, queue:, file: or serial:).")
                   .arg(e.message(), fix);
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
        parameters << QStringLiteral("parity=") + Orvanel::parityName(s.parity).toLower();
      }
      if (s.stopBits != plain.stopBits) {
        parameters << QStringLiteral("stop=%1").arg(s.stopBits);
      }
      if (s.flowControl != plain.flowControl) {
        parameters << QStringLiteral("flow=") + Orvanel::flowControlName(s.flowControl).toLower();
      }
      return QStringLiteral("serial:") + s.serialPort +
             (parameters.isEmpty() ? QString() : u'?' + parameters.join(u'&'));
    }
    case ConnectionKind::NotSet:
      break;
  }
  return QString();
}

}  // namespace Q6Cli
