#pragma once

#include <QString>

#include <functional>
#include <vector>

#include "cli/targets.h"
#include "link/commands.h"

namespace Q6Cli {

struct TargetResult {
  QString target;
  bool delivered = false;
  qint64 bytes = 0;  // bytes handed over (all of them when delivered)
  qint64 ms = 0;     // from opening the link to closing it
  QString error;
};

// Sends the same commands to every target, each in its own exchange on its own worker thread, at
// most `jobs` at a time. A target that fails or stalls holds only its own worker, for at most its
// own time limit. onFinished runs on the calling thread as each target ends (in the order they
// end), and also every `tickMs` with nullptr so that a progress line can be redrawn. Returns the
// results in the order of the targets.
std::vector<TargetResult> runFleet(
    const std::vector<Target>& targets, const Q6::CommandList& commands, int jobs,
    const std::function<void(const TargetResult*, int done)>& onFinished, int tickMs = 250);

}  // namespace Q6Cli
