#include "gui/link/link_exchange.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>

#include <memory>

#include "gui/common/message_box.h"

namespace Q6 {

namespace {

// The window keeps painting while a link waits: the exchange runs on a thread of its own (open,
// every send and the close, also after an error, so a connection never crosses threads and dies
// with the exchange), and the window's thread waits in a loop that takes no input, so nothing the
// operator does can start another exchange meanwhile.
Result<> exchangeBesideTheWindow(Orvanel::PrinterLink& link, const CommandList& commands) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app || QThread::currentThread() != app->thread()) {
    return exchangeCommands(link, commands);
  }
  Result<> result;
  const std::unique_ptr<QThread> worker(QThread::create([&] {
    try {
      result = exchangeCommands(link, commands);
    } catch (...) {
      result = Refused{QStringLiteral("The printer link failed for an unknown reason.")};
    }
  }));
  QEventLoop loop;
  QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
  worker->start();
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  worker->wait();  // the loop also ends early when the program is told to quit
  return result;
}

bool exchangeRunning = false;

}  // namespace

bool runExchange(Orvanel::PrinterLink& link, const CommandList& commands, QWidget* messageParent) {
  if (exchangeRunning) {
    return false;  // only code running during the wait gets here: one exchange at a time
  }
  exchangeRunning = true;
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  const Result<> result = exchangeBesideTheWindow(link, commands);
  QGuiApplication::restoreOverrideCursor();  // before any message
  exchangeRunning = false;
  if (!result && !result.error().isEmpty()) {
    showError(messageParent, result.error());
  }
  return result.ok();
}

}  // namespace Q6
