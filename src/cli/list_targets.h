#pragma once

#include <QString>

#include <vector>

namespace Q6Cli {

struct FoundTarget {
  QString target;  // in the form --to takes
  QString about;   // description, maker; may be empty
};

// What this machine can reach: CUPS queues, serial ports, printer device nodes. The one place that
// looks; a fuller discovery can take its place without the command line changing.
std::vector<FoundTarget> findLocalTargets(int timeoutMs);

}  // namespace Q6Cli
