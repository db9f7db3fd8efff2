#pragma once

#include "core/printer/commands.h"
#include "core/printer/exchange.h"

class QWidget;

namespace Orvanel {
class PrinterLink;
}

namespace Q6 {

// One exchange with the printer: OpenLink, SendCommand for each command in order, CloseLink.
// This is the only place that catches a link error: it stops sending (commands already sent stay
// sent), closes a link that was opened, and shows one exclamation box titled "Q6Config" with the
// component's message over messageParent. Returns true when every command went out.
bool runExchange(Orvanel::PrinterLink& link, const CommandList& commands, QWidget* messageParent);

}  // namespace Q6
