#include "link/link_exchange.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>

#include <exception>
#include <memory>

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

namespace {

struct ExchangeOutcome {
  bool sent = false;
  bool failed = false;  // a step raised: the operator is told why
  QString failure;
};

ExchangeOutcome exchangeSteps(Orvanel::PrinterLink& link, const CommandList& commands) {
  ExchangeOutcome outcome;
  bool open = false;
  try {
    open = OpenLink(link);
    if (!open) {
      return outcome;  // nothing sent, nothing to close
    }
    for (const Command& command : commands) {
      SendCommand(link, command);
    }
    open = false;
    CloseLink(link);
    outcome.sent = true;
    return outcome;
  } catch (const Orvanel::LinkError& error) {
    outcome.failure = error.message();
  } catch (const std::exception& error) {
    outcome.failure = QString::fromLocal8Bit(error.what());
  } catch (...) {
    outcome.failure = QStringLiteral("The printer link failed for an unknown reason.");
  }
  outcome.failed = true;
  if (open) {
    try {
      link.CloseConnection();
    } catch (...) {
      // The first error is the one the operator needs to see.
    }
  }
  return outcome;
}

// The window keeps painting while a link waits: the steps run on a thread of their own (open,
// every send and the close, so that a connection never crosses threads), and the window's thread
// waits in a loop that takes no input, so nothing the operator does can start another exchange.
ExchangeOutcome exchangeBesideTheWindow(Orvanel::PrinterLink& link, const CommandList& commands) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app || QThread::currentThread() != app->thread()) {
    return exchangeSteps(link, commands);
  }
  ExchangeOutcome outcome;
  const std::unique_ptr<QThread> worker(
      QThread::create([&] { outcome = exchangeSteps(link, commands); }));
  QEventLoop loop;
  QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
  worker->start();
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  worker->wait();  // the loop also ends when the program is told to quit
  return outcome;
}

bool exchangeRunning = false;

}  // namespace

bool runExchange(Orvanel::PrinterLink& link, const CommandList& commands, QWidget* messageParent) {
  if (exchangeRunning) {
    return false;  // only from code running in the wait; the printer gets one exchange at a time
  }
  ExchangeOutcome outcome;
  {
    exchangeRunning = true;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    outcome = exchangeBesideTheWindow(link, commands);
    QGuiApplication::restoreOverrideCursor();
    exchangeRunning = false;
  }
  if (outcome.failed) {
    showError(messageParent, outcome.failure);
  }
  return outcome.sent;
}

}  // namespace Q6
