#pragma once

#include <vector>

#include "cli/output.h"
#include "cli/payload.h"
#include "cli/targets.h"

namespace Q6Cli {

// `show` and --dry-run: every command as hex and in words, then the targets it would go to.
void printDryRun(const Payload& payload, const std::vector<Target>& targets, const Streams& io);

}  // namespace Q6Cli
