#include "core/link/transport_link.h"

#include <csignal>
#include <utility>

#include "core/link/link_error.h"
#include "core/link/transport_factory.h"

namespace Orvanel {

TransportLink::TransportLink(LinkSettings settings) : settings_(std::move(settings)) {
  // A device or pipe whose reader goes away must give a write error, not end the program.
  static const bool pipeSignalIgnored = [] { return std::signal(SIGPIPE, SIG_IGN) != SIG_ERR; }();
  (void)pipeSignalIgnored;
}

TransportLink::~TransportLink() = default;

void TransportLink::OpenConnection() {
  transport_.reset();
  auto transport = makeTransport(settings_);
  transport->open();
  transport_ = std::move(transport);
}

Transport& TransportLink::openTransport() {
  if (!transport_) {
    throw LinkError(QStringLiteral("The connection to the printer is not open."));
  }
  return *transport_;
}

void TransportLink::SendData(const QByteArray& data) {
  openTransport().write(data);
}

void TransportLink::CloseConnection() {
  openTransport();
  auto transport = std::move(transport_);
  transport->close();
}

}  // namespace Orvanel
