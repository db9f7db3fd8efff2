#include "cli/list_targets.h"

namespace Q6Cli {

namespace {

QString targetText(const Orvanel::FoundTarget& t) {
  Orvanel::LinkSettings s;
  t.fill(s);
  switch (t.source) {
    case Orvanel::TargetSource::Network:
      // An IPv6 address needs brackets, or its colons would be read as the port's.
      return s.host.contains(QLatin1Char(':'))
                 ? QStringLiteral("tcp://[%1]:%2").arg(s.host).arg(s.port)
                 : QStringLiteral("tcp://%1:%2").arg(s.host).arg(s.port);
    case Orvanel::TargetSource::Queue:
      return QStringLiteral("queue:") + s.queue;
    case Orvanel::TargetSource::DeviceNode:
      return QStringLiteral("file:") + s.path;
    case Orvanel::TargetSource::Serial:
      return QStringLiteral("serial:") + s.serialPort;
  }
  return QString();
}

}  // namespace

std::vector<FoundTarget> targetsFrom(const QList<Orvanel::FoundTarget>& found) {
  std::vector<FoundTarget> targets;
  for (const Orvanel::FoundTarget& t : found) {
    // The summary names the target once more; the details in its brackets are what is worth
    // adding to the target text.
    const QString summary = t.summary();
    const qsizetype open = summary.indexOf(QStringLiteral(" ("));
    QString about = open < 0 ? QString() : summary.mid(open + 2).chopped(1);
    if (t.source == Orvanel::TargetSource::Network) {
      about = t.name + (t.hostName.isEmpty() ? QString() : QStringLiteral(", ") + t.hostName);
    }
    targets.push_back({targetText(t), about});
  }
  return targets;
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

}  // namespace Q6Cli
