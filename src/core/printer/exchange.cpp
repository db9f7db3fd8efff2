#include "core/printer/exchange.h"

#include <exception>

#include "core/link/link_error.h"

namespace Q6 {

bool OpenLink(Orvanel::PrinterLink& link) {
  link.OpenConnection();
  return true;
}

void SendCommand(Orvanel::PrinterLink& link, const Command& command) {
  link.SendData(command);
}

void CloseLink(Orvanel::PrinterLink& link) {
  link.CloseConnection();
}

Result<> exchangeCommands(Orvanel::PrinterLink& link, const CommandList& commands) {
  bool open = false;
  QString failure;
  try {
    open = OpenLink(link);  // true whenever it returns: a link that cannot open raises
    for (const Command& command : commands) {
      SendCommand(link, command);
    }
    open = false;
    CloseLink(link);
    return {};
  } catch (const Orvanel::LinkError& error) {
    failure = error.message();
  } catch (const std::exception& error) {
    failure = QString::fromLocal8Bit(error.what());
  }
  if (open) {
    try {
      link.CloseConnection();
    } catch (const std::exception&) {
      // The first error is the one the operator needs to see.
    }
  }
  return Refused{failure};
}

}  // namespace Q6
