#pragma once

#include "common/message_box.h"
#include "link/link_exchange.h"
#include "settings/clear_all_commands.h"

namespace Q6 {

// The warning question asked before the factory reset.
MessageRequest clearAllQuestion();

}  // namespace Q6
