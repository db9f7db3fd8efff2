#include "gui/common/link_exchange.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QThread>

#include "gui/common/background.h"
#include "gui/common/message_box.h"

namespace Q6 {

namespace {

// The window keeps painting while a link waits: the exchange runs beside the window (open, every
// send and the close, also after an error, so a connection never crosses threads and dies with the
// exchange), and the window's thread waits in a loop that takes no input, so nothing the operator
// does can start another exchange meanwhile.
Result<> exchangeBesideTheWindow(Orvanel::PrinterLink& link, const CommandList& commands) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app || QThread::currentThread() != app->thread()) {
    return exchangeCommands(link, commands);
  }
  return runBeside([&]() -> Result<> {
    try {
      return exchangeCommands(link, commands);
    } catch (...) {
      return Refused{QStringLiteral("The printer link failed for an unknown reason.")};
    }
  });
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
