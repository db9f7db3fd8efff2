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

char* markupInto(char* to, QStringView text) {
  const auto put = [&to](const char* bytes) {
    while (*bytes) {
      *to++ = *bytes++;
    }
  };
  const char16_t* s = text.utf16();
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n;) {
    const char16_t c = s[i++];
    if (c >= 0x20 && c < 0x80 && c != u'&' && c != u'<' && c != u'>' && c != u'"' && c != u'\'') {
      *to++ = static_cast<char>(c);  // most names are nothing else
      continue;
    }
    if (c < 0x80) {
      switch (c) {
        case u'&':
          put("&amp;");
          break;
        case u'<':
          put("&lt;");
          break;
        case u'>':
          put("&gt;");
          break;
        case u'"':
          put("&quot;");
          break;
        case u'\'':
          put("&#39;");
          break;
        case u'\t':
          put("&#9;");
          break;
        case u'\n':
          put("&#10;");
          break;
        case u'\r':
          put("&#13;");
          break;
        default:
          put(escapeOf(c).toLatin1().constData());
          break;
      }
    } else if (QChar::isHighSurrogate(c) && i < n && QChar::isLowSurrogate(s[i])) {
      const char32_t u = QChar::surrogateToUcs4(c, s[i++]);
      *to++ = char(0xF0 | (u >> 18));
      *to++ = char(0x80 | ((u >> 12) & 0x3F));
      *to++ = char(0x80 | ((u >> 6) & 0x3F));
      *to++ = char(0x80 | (u & 0x3F));
    } else if (QChar::isSurrogate(c) || !xmlCanHold(c)) {
      put(escapeOf(c).toLatin1().constData());
    } else if (c < 0x800) {
      *to++ = char(0xC0 | (c >> 6));
      *to++ = char(0x80 | (c & 0x3F));
    } else {
      *to++ = char(0xE0 | (c >> 12));
      *to++ = char(0x80 | ((c >> 6) & 0x3F));
      *to++ = char(0x80 | (c & 0x3F));
    }
  }
  return to;
}

void appendMarkup(QByteArray& out, QStringView text) {
  const qsizetype at = out.size();
  out.resize(at + kMarkupGrowth * text.size());
  out.resize(markupInto(out.data() + at, text) - out.constData());
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
