#pragma once

#include <QString>
#include <QStringList>

#include <vector>

#include "cli/options.h"
#include "cli/output.h"
#include "core/discovery/discovery.h"

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

// The line list-targets prints for a finding: the target, then its description as a comment
// ("TARGET  # ABOUT"), every control character shown escaped, so that the output is one line per
// target and reads back through --targets as it is. A target whose own text cannot be written on
// such a line (a control character, or a '#' after a blank, in a name nobody chose here) is printed
// as a comment saying so, never as a target.
QString listLine(const FoundTarget& found);

// `list-targets`: always delivered; a missing service is a note, not a failure.
int listTargets(const Options& o, const Streams& io);

}  // namespace Q6Cli
