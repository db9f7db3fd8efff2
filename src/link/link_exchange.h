#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

class QWidget;

namespace Orvanel {
class PrinterLink;
}

namespace Q6 {

// A printer command: a length-counted byte string; NUL and 80-FF are data, never terminators.
using Command = QByteArray;
using CommandList = std::vector<Command>;

// Memory-switch frames: ESC GS '#', operation, switch digit, mask, LF, NUL. The switch number and
// mask are used exactly as given.
Command SetSwitchBits(QByteArrayView switchNumber, QByteArrayView mask);
Command ClearSwitchBits(QByteArrayView switchNumber, QByteArrayView mask);
Command writeCommand();  // ESC GS "#W00000" LF NUL
Command resetCommand();  // ESC GS "#@00000" LF NUL

// The steps of an exchange. OpenLink returns true once the connection is open (a failure raises);
// the others pass their command or request straight to the component.
bool OpenLink(Orvanel::PrinterLink& link);
void SendCommand(Orvanel::PrinterLink& link, const Command& command);
void CloseLink(Orvanel::PrinterLink& link);

// One exchange with the printer: OpenLink, SendCommand for each command in order, CloseLink.
// This is the only place that catches a link error: it stops sending (commands already sent stay
// sent), closes a link that was opened, and shows one exclamation box titled "Q6Config" with the
// component's message over messageParent. Returns true when every command went out.
bool runExchange(Orvanel::PrinterLink& link, const CommandList& commands, QWidget* messageParent);

}  // namespace Q6
