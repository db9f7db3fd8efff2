#pragma once

#include <QString>

#include <atomic>

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

// A link that notes whether it opened and counts the bytes handed to it, so that a failed exchange
// can say how far it got (and the record whether the printer may hold part of it). The count may
// be read from another thread while the exchange runs.
class CountedLink : public Orvanel::PrinterLink {
 public:
  CountedLink(Orvanel::PrinterLink& inner, std::atomic<qint64>& sent)
      : inner_(inner), sent_(sent) {}
  void OpenConnection() override {
    inner_.OpenConnection();  // raises when it fails: not opened
    opened_ = true;
  }
  void SendData(const QByteArray& data) override {
    inner_.SendData(data);
    sent_ += data.size();
  }
  void CloseConnection() override { inner_.CloseConnection(); }
  bool opened() const { return opened_; }
  qint64 sent() const { return sent_.load(); }

 private:
  Orvanel::PrinterLink& inner_;
  std::atomic<qint64>& sent_;
  bool opened_ = false;
};

}  // namespace Q6
