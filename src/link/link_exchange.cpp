#include "link/link_exchange.h"

#include <exception>

#include "common/message_box.h"
#include "link/link_error.h"
#include "link/printer_link.h"

namespace Q6 {

namespace {

Command switchFrame(char operation, QByteArrayView switchNumber, QByteArrayView mask) {
  Command frame;
  frame.reserve(7 + switchNumber.size() + mask.size());
  frame.append('\x1B');
  frame.append('\x1D');
  frame.append('#');
  frame.append(operation);
  frame.append(switchNumber);
  frame.append(mask);
  frame.append('\n');
  frame.append('\0');  // part of the command: appended as a byte, not as a terminator
  return frame;
}

}  // namespace

Command SetSwitchBits(QByteArrayView switchNumber, QByteArrayView mask) {
  return switchFrame('+', switchNumber, mask);
}

Command ClearSwitchBits(QByteArrayView switchNumber, QByteArrayView mask) {
  return switchFrame('-', switchNumber, mask);
}

Command writeCommand() {
  return switchFrame('W', "0", "0000");
}

Command resetCommand() {
  return switchFrame('@', "0", "0000");
}

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

bool runExchange(Orvanel::PrinterLink& link, const CommandList& commands, QWidget* messageParent) {
  bool open = false;
  QString failure;
  try {
    open = OpenLink(link);
    if (!open) {
      return false;  // nothing sent, nothing to close
    }
    for (const Command& command : commands) {
      SendCommand(link, command);
    }
    open = false;
    CloseLink(link);
    return true;
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
  showError(messageParent, failure);
  return false;
}

}  // namespace Q6
