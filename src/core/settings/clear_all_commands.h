#pragma once

#include "core/printer/commands.h"

namespace Q6 {

// "Clear All Settings": reset, then write.
CommandList clearAllCommands();

}  // namespace Q6
