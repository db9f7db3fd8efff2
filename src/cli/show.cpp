// `show COMMAND ...`: what apply, reset or test would send, and where, with nothing opened. The
// parser reads it as --dry-run on the command after it, so that both are one run.
#include "cli/show.h"

#include "cli/command.h"
#include "core/printer/commands.h"
#include "core/settings/window_content.h"

namespace Q6Cli {

// It takes the options of the command it shows.
const Command kShowCommand{
    "show", 0,
    "  show COMMAND ...     print every command of COMMAND, as hex and in words; opens nothing\n",
    "", nullptr};

void printDryRun(const Payload& payload, const std::vector<Target>& targets, const Streams& io) {
  const Q6::CommandList all = payload.commands();
  io.line(QStringLiteral("# %1: %2 commands, %3 bytes; nothing is opened")
              .arg(payload.what)
              .arg(all.size())
              .arg(Q6::byteCount(all)));
  for (const Payload::Group& group : payload.groups) {
    io.line(group.label);
    for (const Q6::Command& command : group.commands) {
      const QString hex = Q6::hexText(command);
      const QString words = Q6::describeSwitchFrame(command);
      io.line(words.isEmpty() ? QStringLiteral("  ") + hex
                              : QStringLiteral("  %1  %2").arg(hex, -32).arg(words));
    }
  }
  for (const Target& target : targets) {
    io.line(QStringLiteral("# would go to %1").arg(displayText(target.text)), false);
  }
  std::fflush(io.out);
}

}  // namespace Q6Cli
