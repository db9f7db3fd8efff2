// `apply`: what "Use Settings" sends for the choices of a preset and of each --set.
#include "cli/command.h"
#include "cli/send_run.h"

namespace Q6Cli {

namespace {

int run(const Options& o, const Streams& io) {
  return runSend(o, io, kApplyCommand, buildApply);
}

}  // namespace

const Command kApplyCommand{
    "apply",
    kTakesTargets | kTakesModel | kTakesChoices | kTakesJobs | kTakesTimeout | kTakesJson |
        kTakesPages | kTakesDryRun | kTakesRecord | kTakesDecisions | kTakesForce,
    "  apply --model QLX500|QLX600 (--preset FILE.pre | --set NAME=ENTRY...) --to TARGET...\n"
    "                      what \"Use Settings\" sends for these choices (a preset first, then\n"
    "                      each --set, as if chosen in the window in that order)\n",
    "  --changes-only       apply: send each printer only the settings the record does not\n"
    "                      know it holds; a printer that holds them all gets nothing\n"
    "  --check              apply: say which printers --changes-only would change; opens nothing\n"
    "  --diff               apply: print each setting that changes, recorded -> wanted\n"
    "  --force              apply: send everything whatever the record says (and record it)\n",
    run};

}  // namespace Q6Cli
