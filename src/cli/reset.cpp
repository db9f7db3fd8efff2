// `reset`: "Clear All Settings", which puts every target back to its factory settings; only with
// --yes.
#include "cli/command.h"
#include "cli/send_run.h"

namespace Q6Cli {

namespace {

int run(const Options& o, const Streams& io) {
  return runSend(o, io, kResetCommand, buildReset);
}

}  // namespace

const Command kResetCommand{
    "reset",
    kTakesTargets | kTakesModel | kTakesYes | kTakesJobs | kTakesTimeout | kTakesJson |
        kTakesPages | kTakesDryRun | kTakesRecord,
    "  reset --yes --to TARGET...   \"Clear All Settings\": restore the factory settings\n", "",
    run};

}  // namespace Q6Cli
