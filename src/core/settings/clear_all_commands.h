#pragma once

#include "core/link/commands.h"

namespace Q6 {

// "Clear All Settings": reset, then write.
CommandList clearAllCommands();

}  // namespace Q6
