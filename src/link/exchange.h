#pragma once

#include <QString>

#include "link/commands.h"
#include "link/link_settings.h"
#include "link/printer_link_interface.h"
#include "link/transport.h"

#include <memory>

namespace Q6 {

// The steps of an exchange. OpenLink returns true once the connection is open (a failure raises);
// the others pass their command or request straight to the component.
bool OpenLink(Orvanel::PrinterLink& link);
void SendCommand(Orvanel::PrinterLink& link, const Command& command);
void CloseLink(Orvanel::PrinterLink& link);

struct ExchangeResult {
  bool delivered = false;  // every command went out and the link closed cleanly
  QString error;           // the component's message; empty when delivered or never opened
};

// One exchange with the printer: OpenLink, SendCommand for each command in order, CloseLink. A link
// error stops the sending (commands already sent stay sent), a link that was opened is closed, and
// the first error's text is returned. Nothing is shown: the caller decides how to report it.
ExchangeResult exchangeCommands(Orvanel::PrinterLink& link, const CommandList& commands);

// A link over the transport that given settings choose, without any window: what the command-line
// tool drives, one per target and thread.
class SettingsLink : public Orvanel::PrinterLink {
 public:
  explicit SettingsLink(Orvanel::LinkSettings settings);
  ~SettingsLink() override;
  void OpenConnection() override;
  void SendData(const QByteArray& data) override;
  void CloseConnection() override;

 private:
  Orvanel::LinkSettings settings_;
  std::unique_ptr<Orvanel::Transport> transport_;
};

}  // namespace Q6
