#include "core/settings/clear_all_commands.h"

namespace Q6 {

CommandList clearAllCommands() {
  return {resetCommand(), writeCommand()};
}

}  // namespace Q6
