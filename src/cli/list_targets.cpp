#include "cli/list_targets.h"

#include "cli/command.h"
#include "cli/targets.h"

namespace Q6Cli {

std::vector<FoundTarget> targetsFrom(const QList<Orvanel::FoundTarget>& found) {
  std::vector<FoundTarget> targets;
  for (const Orvanel::FoundTarget& t : found) {
    // The summary names the target once more; the details in its brackets are what is worth
    // adding to the target text.
    const QString summary = t.summary();
    const qsizetype open = summary.indexOf(QStringLiteral(" ("));
    QString about = open < 0 ? QString() : summary.mid(open + 2).chopped(1);
    if (t.source == Orvanel::TargetSource::Network) {
      // Which of the two the target holds, and why, as the window's found list says it.
      about = t.name;
      if (!t.hostName.isEmpty() && !t.address.isEmpty()) {
        about +=
            t.hostNameResolves
                ? QStringLiteral(", by name (address %1)").arg(t.address)
                : QStringLiteral(", by address: this computer does not resolve %1").arg(t.hostName);
      }
    }
    Orvanel::LinkSettings s;
    t.fill(s);
    targets.push_back({targetText(s), about});
  }
  return targets;
}

QString listLine(const FoundTarget& found) {
  const QString target = displayText(found.target);
  const QString about = displayText(found.about);
  // What the targets reader would take from the line: the text up to a '#' after a blank, trimmed.
  bool readsBack = target == found.target && target == target.trimmed() && !target.isEmpty() &&
                   !target.startsWith(u'#');
  for (qsizetype i = 1; readsBack && i < target.size(); ++i) {
    readsBack = !(target[i] == u'#' && (target[i - 1] == u' ' || target[i - 1] == u'\t'));
  }
  if (!readsBack) {
    return QStringLiteral(
               "# %1  # not usable as a target: its name has control characters or "
               "\" #\"%2")
        .arg(target, about.isEmpty() ? QString() : QStringLiteral("; ") + about);
  }
  return about.isEmpty() ? target : target.leftJustified(24) + QStringLiteral("  # ") + about;
}

std::vector<FoundTarget> findLocalTargets(int timeoutMs, QStringList* notes) {
  Orvanel::DiscoveryOptions options;
  options.timeoutMs = timeoutMs;
  const Orvanel::Discovery found = Orvanel::discoverTargets(options);
  if (notes) {
    *notes = found.notes;
  }
  return targetsFrom(found.targets);
}

int listTargets(const Options& o, const Streams& io) {
  QStringList notes;
  const std::vector<FoundTarget> found = findLocalTargets(o.timeoutMs, &notes);
  for (const FoundTarget& f : found) {
    io.line(listLine(f));
  }
  // A missing service is worth a line, not a failure: what was found is still listed.
  for (const QString& note : notes) {
    io.error(displayText(note));
  }
  if (found.empty()) {
    io.error(QStringLiteral(
        "no network printers, printer queues, printer device nodes or serial ports found."));
  }
  return kExitDelivered;
}

const Command kListTargetsCommand{"list-targets", kTakesTimeout,
                                  "  list-targets         the network printers (DNS-SD), printer "
                                  "queues, printer device nodes and\n"
                                  "                       serial ports this computer can see\n",
                                  "", listTargets};

}  // namespace Q6Cli
