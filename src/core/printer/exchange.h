#pragma once

#include <QString>

#include "core/common/result.h"
#include "core/link/link_settings.h"
#include "core/link/printer_link_interface.h"
#include "core/printer/commands.h"

namespace Q6 {

// The steps of an exchange. OpenLink returns true once the connection is open (a failure raises);
// the others pass their command or request straight to the component.
bool OpenLink(Orvanel::PrinterLink& link);
void SendCommand(Orvanel::PrinterLink& link, const Command& command);
void CloseLink(Orvanel::PrinterLink& link);

// One exchange with the printer: OpenLink, SendCommand for each command in order, CloseLink. A link
// error stops the sending (commands already sent stay sent), a link that was opened is closed, and
// the exchange is refused with the first error's text. Done means every command went out and the
// link closed cleanly. Nothing is shown: the caller decides how to report it.
Result<> exchangeCommands(Orvanel::PrinterLink& link, const CommandList& commands);

}  // namespace Q6
