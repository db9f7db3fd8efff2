#pragma once

#include <QString>
#include <QStringList>

#include "core/link/link_settings.h"
#include "core/printer/commands.h"
#include "core/printer/exchange.h"
#include "core/record/printer_record.h"

class QWidget;

namespace Orvanel {
class PrinterLink;
}

namespace Q6 {

// What the record of sent exchanges keeps of one of the window's exchanges.
struct ExchangeNote {
  Orvanel::LinkSettings connection;  // where the link sends: names the printer in the record
  QString action;                    // "Use Settings", "Clear All Settings", "test line-feed"
  RecordEffect effect = RecordEffect::None;
  QString model;         // "QLX500" / "QLX600"
  QStringList settings;  // what it carries, "name=entry"
};

// One exchange with the printer: OpenLink, SendCommand for each command in order, CloseLink.
// This is the only place that catches a link error: it stops sending (commands already sent stay
// sent), closes a link that was opened, and shows one exclamation box titled "Q6Config" with the
// component's message over messageParent. Returns true when every command went out.
//
// With a note the exchange is written into the record (defaultRecordPath()): begun before the
// link opens, completed after it closed. A record that cannot be written changes nothing about
// the exchange; the operator is told once, after it, in the same box as a link error if any.
bool runExchange(Orvanel::PrinterLink& link, const CommandList& commands, QWidget* messageParent,
                 const ExchangeNote* note = nullptr);

}  // namespace Q6
