#pragma once

#include <QString>
#include <QStringList>

#include <span>

#include "cli/options.h"
#include "cli/output.h"

// q6config-cli's commands: each in its own file, saying which options it reads, what --help says of
// it, and how it runs.
namespace Q6Cli {

// The options a command reads beyond --help and --version. A command ignores the others, except
// that reset and test refuse apply's choices and record decisions, which would otherwise seem to
// change what they send.
enum Takes : unsigned {
  kTakesTargets = 1u << 0,  // --to, --targets
  kTakesModel = 1u << 1,
  kTakesChoices = 1u << 2,  // --preset, --set
  kTakesYes = 1u << 3,
  kTakesJobs = 1u << 4,
  kTakesTimeout = 1u << 5,
  kTakesJson = 1u << 6,
  kTakesDryRun = 1u << 7,
  kTakesRecord = 1u << 8,     // --record, --no-record
  kTakesDecisions = 1u << 9,  // --changes-only, --check, --diff
  kTakesForce = 1u << 10,
  kTakesLimit = 1u << 11,
  kTakesPages = 1u << 12,  // --html, --junit
};

struct Command {
  const char* name;
  unsigned takes;  // Takes
  // Its lines under "Commands:" in --help, and under "Options:" those of the options only it
  // reads (empty when it has none), each line ending in a line feed.
  const char* usage;
  const char* ownOptions;
  // The exit code of the run; null for show, which the parser reads as --dry-run on the command
  // after it.
  int (*run)(const Options& o, const Streams& io);
};

extern const Command kApplyCommand;
extern const Command kResetCommand;
extern const Command kTestCommand;
extern const Command kShowCommand;
extern const Command kHistoryCommand;
extern const Command kStateCommand;
extern const Command kListTargetsCommand;
extern const Command kRecordCommand;

// Every command in the order --help lists them.
std::span<const Command* const> commands();

// The command named so that can be run, or null.
const Command* findCommand(const QString& name);

// The words that name a command, "help" among them, for a suggestion when one is misspelt.
QStringList commandNames();

}  // namespace Q6Cli
