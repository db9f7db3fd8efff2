#include "core/link/exchange.h"

#include <csignal>
#include <exception>
#include <utility>

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
    open = OpenLink(link);
    if (!open) {
      return Refused{QStringLiteral("the link did not open")};  // nothing sent, nothing to close
    }
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

SettingsLink::SettingsLink(Orvanel::LinkSettings settings) : settings_(std::move(settings)) {
  // A device or pipe whose reader goes away must give a write error, not end the program.
  static const bool pipeSignalIgnored = [] { return std::signal(SIGPIPE, SIG_IGN) != SIG_ERR; }();
  (void)pipeSignalIgnored;
}

SettingsLink::~SettingsLink() = default;

void SettingsLink::OpenConnection() {
  transport_.reset();
  auto transport = Orvanel::makeTransport(settings_);
  transport->open();
  transport_ = std::move(transport);
}

void SettingsLink::SendData(const QByteArray& data) {
  if (!transport_) {
    throw Orvanel::LinkError(QStringLiteral("The connection to the printer is not open."));
  }
  transport_->write(data);
}

void SettingsLink::CloseConnection() {
  if (!transport_) {
    throw Orvanel::LinkError(QStringLiteral("The connection to the printer is not open."));
  }
  auto transport = std::move(transport_);
  transport->close();
}

}  // namespace Q6
