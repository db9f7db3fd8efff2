// Targets files: one target a line, as text.
#include <QFile>
#include <QStringDecoder>

#include "cli/targets.h"

namespace Q6Cli {

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
