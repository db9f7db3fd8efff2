// Feeds arbitrary bytes to the targets-file reader and every line it yields to the target parser.
// Besides the sanitizers' checks it traps when a line is refused without its line number, a line
// that is read carries what the reader must have left out (a comment, a control character, blanks
// at its ends), or a target that is parsed does not print back as the same target.
#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "cli/targets.h"

namespace {

void require(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

void checkTarget(const QString& text) {
  if (text == u"stored") {
    return;  // the user's own stored connection, not this input
  }
  QString error;
  const std::optional<Q6Cli::Target> target = Q6Cli::parseTarget(text, 1000, false, &error);
  if (!target) {
    require(error.startsWith(QStringLiteral("target ")));
    require(!Q6Cli::displayText(error).contains(u'\n'));
    return;
  }
  const QString back = Q6Cli::targetText(target->settings);
  QString again;
  const std::optional<Q6Cli::Target> reread = Q6Cli::parseTarget(back, 1000, false, &again);
  require(reread.has_value());
  require(reread->settings == target->settings);
  require(Q6Cli::targetText(reread->settings) == back);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  std::vector<Q6Cli::TargetLine> lines;
  QString error;
  if (!Q6Cli::parseTargetsText(bytes, QStringLiteral("t"), &lines, &error)) {
    require(error.startsWith(QStringLiteral("t line ")));
    require(lines.size() <= size);
  }
  int lastLine = 0;
  for (const Q6Cli::TargetLine& line : lines) {
    require(line.origin.startsWith(QStringLiteral("t line ")));
    const int number = line.origin.mid(7).toInt();
    require(number > lastLine && number <= static_cast<int>(size) + 1);
    lastLine = number;
    require(!line.text.isEmpty() && line.text == line.text.trimmed());
    require(!line.text.startsWith(u'#'));
    for (qsizetype i = 0; i < line.text.size(); ++i) {
      const char16_t c = line.text[i].unicode();
      // A tab is a blank to the reader; the parser refuses one inside a target.
      require((c >= 0x20 || c == u'\t') && c != 0x7F && !(c >= 0x80 && c <= 0x9F));
      require(!(c == u'#' && i > 0 && (line.text[i - 1] == u' ' || line.text[i - 1] == u'\t')));
    }
    checkTarget(line.text);
  }
  // The command line's way in: the whole input as one target.
  checkTarget(QString::fromUtf8(bytes));
  return 0;
}
