// `test NAME`: one of the window's hardware tests or test sheets.
#include "cli/command.h"
#include "cli/send_run.h"

namespace Q6Cli {

namespace {

int run(const Options& o, const Streams& io) {
  return runSend(o, io, kTestCommand, buildTest);
}

}  // namespace

const Command kTestCommand{
    "test",
    kTakesTargets | kTakesModel | kTakesJobs | kTakesTimeout | kTakesJson | kTakesPages |
        kTakesDryRun | kTakesRecord,
    "  test NAME --to TARGET...     a hardware test or test sheet (names below)\n", "", run};

}  // namespace Q6Cli
