#include "core/store/ini_splice.h"

#include <QList>

namespace Orvanel {

namespace {

bool isHexDigit(char16_t ch) {
  return (ch >= u'0' && ch <= u'9') || (ch >= u'a' && ch <= u'f') || (ch >= u'A' && ch <= u'F');
}

QByteArray hexEscape(char16_t ch) {
  return "\\x" + QByteArray::number(static_cast<uint>(ch), 16);
}

// The part of an INI line before '=' (trimmed); empty for lines that set nothing.
QByteArray lineKey(const QByteArray& line) {
  const qsizetype equals = line.indexOf('=');
  return equals < 0 ? QByteArray() : line.left(equals).trimmed();
}

bool isSection(const QByteArray& line) {
  const QByteArray t = line.trimmed();
  return t.startsWith('[') && t.endsWith(']');
}

}  // namespace

QByteArray iniValueText(const QVariant& value) {
  QString text = value.toString();
  if (text.startsWith(QLatin1Char('@'))) {
    text.prepend(QLatin1Char('@'));  // '@' starts a typed value ("@Variant(...)") when read
  }
  QByteArray out;
  bool needsQuotes = text.startsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(' '));
  // After "\x41" the reader would take a following hex digit into the same escape.
  bool escapeHexDigit = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t ch = text.at(i).unicode();
    if (escapeHexDigit && isHexDigit(ch)) {
      out += hexEscape(ch);
      continue;
    }
    escapeHexDigit = false;
    switch (ch) {
      case u',':
      case u';':
      case u'=':
        needsQuotes = true;
        out += static_cast<char>(ch);
        break;
      case u'\\':
      case u'"':
        out += '\\';
        out += static_cast<char>(ch);
        break;
      case u'\n':
        out += "\\n";
        break;
      case u'\r':
        out += "\\r";
        break;
      case u'\t':
        out += "\\t";
        break;
      default:
        if (ch < 0x20 || ch == 0x7F) {
          out += hexEscape(ch);
          escapeHexDigit = true;
        } else if (ch < 0x80) {
          out += static_cast<char>(ch);
        } else if (QChar::isHighSurrogate(ch) && i + 1 < text.size() &&
                   text.at(i + 1).isLowSurrogate()) {
          out += text.mid(i, 2).toUtf8();
          ++i;
        } else {
          out += QString(QChar(ch)).toUtf8();
        }
    }
  }
  return needsQuotes ? '"' + out + '"' : out;
}

QByteArray spliceIniValues(const QByteArray& text, const QString& group,
                           const StoredValues& values) {
  const QByteArray header = '[' + group.toUtf8() + ']';
  std::vector<std::pair<QByteArray, QByteArray>> formatted;
  formatted.reserve(values.size());
  for (const auto& [key, value] : values) {
    const QByteArray name = key.toUtf8();
    formatted.emplace_back(name, name + '=' + iniValueText(value));
  }

  QList<QByteArray> lines = text.split('\n');
  if (text.isEmpty() || text.endsWith('\n')) {
    lines.removeLast();
  }
  std::vector<bool> placed(formatted.size(), false);
  qsizetype groupEnd = -1;  // index after the last non-blank line of our group
  bool inGroup = false;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    QByteArray& line = lines[i];
    if (isSection(line)) {
      inGroup = line.trimmed() == header;
      if (inGroup) {
        groupEnd = i + 1;
      }
      continue;
    }
    if (!inGroup) {
      continue;
    }
    if (!line.trimmed().isEmpty()) {
      groupEnd = i + 1;
    }
    const QByteArray key = lineKey(line);
    for (size_t k = 0; k < formatted.size(); ++k) {
      if (key == formatted[k].first) {
        line = formatted[k].second + (line.endsWith('\r') ? "\r" : "");
        placed[k] = true;
      }
    }
  }
  QList<QByteArray> missing;
  for (size_t k = 0; k < formatted.size(); ++k) {
    if (!placed[k]) {
      missing << formatted[k].second;
    }
  }
  if (!missing.isEmpty()) {
    if (groupEnd < 0) {
      if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) {
        lines << QByteArray();
      }
      lines << header;
      groupEnd = lines.size();
    }
    // A file written with CR LF gets CR LF lines.
    const QByteArray end = lines[groupEnd - 1].endsWith('\r') ? "\r" : "";
    for (const QByteArray& line : missing) {
      lines.insert(groupEnd++, line + end);
    }
  }
  return lines.join('\n') + '\n';
}

}  // namespace Orvanel
