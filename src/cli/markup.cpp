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
  if (gathered_.size() >= kPiece) {
    if (error_.isEmpty()) {
      file_.append(gathered_, &error_);
    }
    gathered_.clear();
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
