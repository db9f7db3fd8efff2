// q6config-cli: reads the command line and hands it to its command (command.h); the commands are
// one file each.
#include "cli/cli.h"

#include "cli/command.h"
#include "cli/help.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/record_use.h"
#include "cli/run_reports.h"
#include "cli/targets.h"

namespace Q6Cli {

int runCli(const QStringList& arguments, std::FILE* out, std::FILE* err) {
  const Streams io{out, err};
  Options o;
  QString error;
  if (!parseArguments(arguments, &o, &error)) {
    io.error(error);
    return kExitRefused;
  }
  if (o.help || o.command == u"help") {
    io.line(helpText());
    return kExitDelivered;
  }
  if (o.version) {
    io.line(programName());
    return kExitDelivered;
  }
  if (o.command.isEmpty()) {
    io.error(QStringLiteral("no command given (see --help)."));
    return kExitRefused;
  }
  const Command* command = findCommand(o.command);
  if (!command) {
    io.error(QStringLiteral("unknown command \"%1\" (see --help).%2")
                 .arg(displayText(o.command), didYouMean(o.command, commandNames())));
    return kExitRefused;
  }
  if (!(command->takes & kTakesPages) && (!o.html.isEmpty() || !o.junit.isEmpty())) {
    io.error(QStringLiteral("--html and --junit belong to apply, reset, test and state."));
    return kExitRefused;
  }
  if (const QString refusal = reportPathsRefusal(o); !refusal.isEmpty()) {
    io.error(refusal);
    return kExitRefused;
  }
  return command->run(o, io);
}

}  // namespace Q6Cli
