#include "cli/markup.h"

#include "cli/targets.h"

namespace Q6Cli {

namespace {

// Written out in pieces of about this many bytes: few writes, little held.
constexpr qsizetype kPiece = 64 * 1024;

bool xmlCanHold(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

}  // namespace

void appendMarkup(QString& out, QStringView text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    switch (c.unicode()) {
      case u'&':
        out += QLatin1String("&amp;");
        continue;
      case u'<':
        out += QLatin1String("&lt;");
        continue;
      case u'>':
        out += QLatin1String("&gt;");
        continue;
      case u'"':
        out += QLatin1String("&quot;");
        continue;
      case u'\'':
        out += QLatin1String("&#39;");
        continue;
      case u'\t':
        out += QLatin1String("&#9;");
        continue;
      case u'\n':
        out += QLatin1String("&#10;");
        continue;
      case u'\r':
        out += QLatin1String("&#13;");
        continue;
      default:
        break;
    }
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      out += c;
      out += text[++i];
    } else if (c.isSurrogate() || !xmlCanHold(c.unicode())) {
      out += escapeOf(c.unicode());
    } else {
      out += c;
    }
  }
}

void appendMarkup(QByteArray& out, QStringView text) {
  const char16_t* s = text.utf16();
  const qsizetype n = text.size();
  qsizetype i = 0;
  while (i < n) {
    // A stretch that needs nothing done goes over as it is: most names are one.
    qsizetype j = i;
    while (j < n && s[j] >= 0x20 && s[j] < 0x80 && s[j] != u'&' && s[j] != u'<' && s[j] != u'>' &&
           s[j] != u'"' && s[j] != u'\'') {
      ++j;
    }
    if (j > i) {
      const qsizetype at = out.size();
      out.resize(at + (j - i));
      char* to = out.data() + at;
      for (; i < j; ++i) {
        *to++ = static_cast<char>(s[i]);
      }
      continue;
    }
    const char16_t c = s[i++];
    if (c < 0x80) {
      switch (c) {
        case u'&':
          out += "&amp;";
          break;
        case u'<':
          out += "&lt;";
          break;
        case u'>':
          out += "&gt;";
          break;
        case u'"':
          out += "&quot;";
          break;
        case u'\'':
          out += "&#39;";
          break;
        case u'\t':
          out += "&#9;";
          break;
        case u'\n':
          out += "&#10;";
          break;
        case u'\r':
          out += "&#13;";
          break;
        default:
          out += escapeOf(c).toLatin1();
          break;
      }
    } else if (QChar::isHighSurrogate(c) && i < n && QChar::isLowSurrogate(s[i])) {
      const char32_t u = QChar::surrogateToUcs4(c, s[i++]);
      const char bytes[] = {char(0xF0 | (u >> 18)), char(0x80 | ((u >> 12) & 0x3F)),
                            char(0x80 | ((u >> 6) & 0x3F)), char(0x80 | (u & 0x3F))};
      out.append(bytes, 4);
    } else if (QChar::isSurrogate(c) || !xmlCanHold(c)) {
      out += escapeOf(c).toLatin1();
    } else if (c < 0x800) {
      const char bytes[] = {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
      out.append(bytes, 2);
    } else {
      const char bytes[] = {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)),
                            char(0x80 | (c & 0x3F))};
      out.append(bytes, 3);
    }
  }
}

QString markup(QStringView text) {
  QString out;
  out.reserve(text.size());
  appendMarkup(out, text);
  return out;
}

QString reportTime(const QDateTime& time) {
  return time.isValid() ? time.toUTC().toString(Qt::ISODate) : QString();
}

void PieceWriter::put(const QByteArray& bytes) {
  gathered_ += bytes;
  passOn();
}

void PieceWriter::passOn() {
  if (gathered_.size() >= kPiece) {
    if (error_.isEmpty()) {
      file_.append(gathered_, &error_);
    }
    gathered_.resize(0);  // keeps its room for the next piece
  }
}

bool PieceWriter::finish(QString* error) {
  if (error_.isEmpty()) {
    file_.commit(gathered_, &error_);
  }
  gathered_.clear();
  if (!error_.isEmpty()) {
    file_.discard();
    *error = error_;
    return false;
  }
  return true;
}

}  // namespace Q6Cli
