#pragma once

#include <vector>

#include "cli/options.h"
#include "cli/output.h"
#include "cli/targets.h"

// The targets a command line names.
namespace Q6Cli {

// Reads every target of --to and then of each --targets file; false once the refusal is printed.
// With oncePerPrinter (a run that sends), each printer once, however it is spelt: two exchanges at
// once on one printer would interleave their bytes.
bool readTargets(const Options& o, const Streams& io, bool oncePerPrinter,
                 std::vector<Target>* targets);

// The refusal of a command that needs a target and was given none.
void refuseNoTarget(const Streams& io);

}  // namespace Q6Cli
