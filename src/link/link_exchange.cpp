#include "link/link_exchange.h"

#include "common/message_box.h"

namespace Q6 {

bool runExchange(Orvanel::PrinterLink& link, const CommandList& commands, QWidget* messageParent) {
  const ExchangeResult result = exchangeCommands(link, commands);
  if (!result.delivered && !result.error.isEmpty()) {
    showError(messageParent, result.error);
  }
  return result.delivered;
}

}  // namespace Q6
