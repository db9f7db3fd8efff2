#include "cli/command.h"

namespace Q6Cli {

namespace {

// The order of --help. Pointers, not copies: each command is defined in its own file.
const Command* const kCommandTable[] = {
    &kApplyCommand,   &kResetCommand, &kTestCommand,        &kShowCommand,
    &kHistoryCommand, &kStateCommand, &kListTargetsCommand, &kRecordCommand,
};

}  // namespace

std::span<const Command* const> commands() {
  return kCommandTable;
}

const Command* findCommand(const QString& name) {
  for (const Command* command : kCommandTable) {
    if (command->run && name == QLatin1String(command->name)) {
      return command;
    }
  }
  return nullptr;
}

QStringList commandNames() {
  QStringList names;
  for (const Command* command : kCommandTable) {
    names << QLatin1String(command->name);
  }
  return names << QStringLiteral("help");
}

}  // namespace Q6Cli
