#pragma once

#include <QString>
#include <QStringList>

#include <vector>

#include "discovery/discovery.h"

namespace Q6Cli {

struct FoundTarget {
  QString target;  // in the form --to takes
  QString about;   // description, maker; may be empty
};

// What this machine can reach: network printers announced over DNS-SD, CUPS queues, printer
// device nodes and serial ports, within timeoutMs. notes (if given) gets one line for each service
// that could not be asked.
std::vector<FoundTarget> findLocalTargets(int timeoutMs, QStringList* notes = nullptr);

// The search's findings in the form --to takes.
std::vector<FoundTarget> targetsFrom(const QList<Orvanel::FoundTarget>& found);

}  // namespace Q6Cli
