#pragma once

#include "common/message_box.h"
#include "link/link_exchange.h"

namespace Q6 {

// The warning question asked before the factory reset.
MessageRequest clearAllQuestion();
// Reset, then write.
CommandList clearAllCommands();

}  // namespace Q6
