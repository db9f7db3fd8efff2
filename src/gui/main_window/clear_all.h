#pragma once

// The window's side of "Clear All Settings". The commands themselves are in clear_all_commands.h,
// which is all a widget-free user needs; the question is declared without the message-box header.
#include "core/settings/clear_all_commands.h"

namespace Q6 {

struct MessageRequest;

// The warning question asked before the factory reset (see common/message_box.h).
MessageRequest clearAllQuestion();

}  // namespace Q6
