#include "cli/target_list.h"

#include <QHash>

#include <utility>

#include "core/link/printer_identity.h"

namespace Q6Cli {

bool readTargets(const Options& o, const Streams& io, bool oncePerPrinter,
                 std::vector<Target>* targets) {
  QString error;
  std::vector<TargetLine> targetLines;
  targetLines.reserve(static_cast<size_t>(o.targets.size()));
  for (const QString& text : o.targets) {
    targetLines.push_back({text, QString()});
  }
  for (const QString& file : o.targetFiles) {
    if (!readTargetsFile(file, &targetLines, &error)) {
      io.error(error);
      return false;
    }
  }
  targets->reserve(targetLines.size());
  // One look-up per target keeps a chain of tens of thousands quick.
  QHash<QString, size_t> printers;
  printers.reserve(static_cast<qsizetype>(targetLines.size()));
  const auto where = [](const TargetLine& line) {
    return line.origin.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(line.origin);
  };
  for (const TargetLine& line : targetLines) {
    std::optional<Target> target = parseTarget(line.text, o.timeoutMs, o.timeoutGiven, &error);
    if (!target) {
      io.error(line.origin.isEmpty() ? error : line.origin + QStringLiteral(": ") + error);
      return false;
    }
    if (oncePerPrinter) {
      QString key = Q6::sameDeviceKey(target->settings);
      const auto at = printers.constFind(key);
      if (at != printers.cend()) {
        const TargetLine& earlier = targetLines[*at];
        io.error(QStringLiteral("target %1%2 is given twice (as %3%4); each printer once per run.")
                     .arg(displayText(line.text), where(line), displayText(earlier.text),
                          where(earlier)));
        return false;
      }
      printers.insert(std::move(key), targets->size());
    }
    targets->push_back(std::move(*target));
  }
  return true;
}

void refuseNoTarget(const Streams& io) {
  io.error(QStringLiteral("no target given: add --to TARGET or --targets FILE."));
}

}  // namespace Q6Cli
