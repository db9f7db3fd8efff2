#include "gui/common/link_exchange.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QThread>

#include <memory>
#include <optional>
#include <vector>

#include "core/settings/window_content.h"
#include "gui/common/background.h"
#include "gui/common/message_box.h"
#include "version.h"

namespace Q6 {

namespace {

struct Recorded {
  Result<> exchange;
  std::optional<RecordRefusal> recordProblem;  // none when the record took the exchange
};

RecordEntry entryFor(const ExchangeNote& note, const CommandList& commands) {
  RecordEntry entry =
      entryBegunNow(QStringLiteral("q6config ") +
                    versionText(Q6Version::kMajor, Q6Version::kMinor, Q6Version::kRevision));
  entry.printer = recordPrinterName(note.connection);
  entry.model = note.model;
  entry.action = note.action;
  entry.effect = note.effect;
  entry.settings = note.settings;
  noteBytes(entry, commands);
  return entry;
}

// The exchange, written ahead into the record when there is a note. A connection that is not set
// up opens nothing, so it has nothing to record.
Recorded recordedExchange(Orvanel::PrinterLink& link, const CommandList& commands,
                          const ExchangeNote* note) {
  if (!note || note->connection.kind == Orvanel::ConnectionKind::NotSet) {
    return {exchangeCommands(link, commands), {}};
  }
  std::optional<RecordRefusal> problem;
  std::unique_ptr<PrinterRecord> record;
  qint64 id = 0;
  RecordResult<std::unique_ptr<PrinterRecord>> opened = PrinterRecord::open(defaultRecordPath());
  if (!opened) {
    problem = opened.refusal();
  } else {
    record = std::move(*opened);
    const RecordResult<std::vector<qint64>> ids = record->begin({entryFor(*note, commands)});
    if (ids) {
      id = ids->front();
    } else {
      problem = ids.refusal();
    }
  }
  // A record shared by many machines gives the printer to one of them at a time: one that another
  // machine is setting up is waited for up to the link's time limit, then not sent anything.
  const QString printer = recordPrinterName(note->connection);
  QString busy;
  if (record && isServerRecordLocation(defaultRecordPath())) {
    const auto holds =
        record->hold({printer}, recordUser() + u'@' + recordHost(), note->connection.timeoutMs);
    busy = holds && !holds->empty() ? holds->front().busy() : QString();
  }
  std::atomic<qint64> sent{0};
  CountedLink watched(link, sent);
  Recorded done{busy.isEmpty() ? exchangeCommands(watched, commands) : Result<>(Refused{busy}),
                problem};
  if (id != 0) {
    PrinterRecord::Completion completion;
    completion.id = id;
    completion.outcome = done.exchange      ? RecordOutcome::Delivered
                         : watched.opened() ? RecordOutcome::Failed
                                            : RecordOutcome::NotSent;
    completion.sent = watched.sent();
    completion.reason = done.exchange.error();
    const RecordResult<> completed = record->complete({completion});
    if (!completed) {
      done.recordProblem = completed.refusal();
    }
  }
  // After its completion, so the next machine to take the printer finds what it was sent; closing
  // the record would let it go as well.
  if (record && busy.isEmpty() && isServerRecordLocation(defaultRecordPath())) {
    (void)record->release({printer});
  }
  return done;
}

// The window keeps painting while a link waits: the exchange runs beside the window (open, every
// send and the close, also after an error, so a connection never crosses threads and dies with the
// exchange), and the window's thread waits in a loop that takes no input, so nothing the operator
// does can start another exchange meanwhile. The record is written beside the window too: a
// record another program holds locked may keep it waiting.
Recorded exchangeBesideTheWindow(Orvanel::PrinterLink& link, const CommandList& commands,
                                 const ExchangeNote* note) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app || QThread::currentThread() != app->thread()) {
    return recordedExchange(link, commands, note);
  }
  return runBeside([&]() -> Recorded {
    try {
      return recordedExchange(link, commands, note);
    } catch (...) {
      return {Refused{QStringLiteral("The printer link failed for an unknown reason.")}, {}};
    }
  });
}

bool exchangeRunning = false;

}  // namespace

bool runExchange(Orvanel::PrinterLink& link, const CommandList& commands, QWidget* messageParent,
                 const ExchangeNote* note) {
  if (exchangeRunning) {
    return false;  // only code running during the wait gets here: one exchange at a time
  }
  exchangeRunning = true;
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  const Recorded done = exchangeBesideTheWindow(link, commands, note);
  QGuiApplication::restoreOverrideCursor();  // before any message
  exchangeRunning = false;
  const Result<>& result = done.exchange;
  QString text = result ? QString() : result.error();
  if (done.recordProblem) {
    const QString behind =
        QStringLiteral("the record at %1 could not be updated: %2")
            .arg(QDir::toNativeSeparators(done.recordProblem->location), done.recordProblem->why());
    text = result ? QStringLiteral("%1 was sent, but %2").arg(note->action, behind)
                  : text + QStringLiteral("\n\nAlso, ") + behind;
  }
  if (!text.isEmpty()) {
    showError(messageParent, text);
  }
  return result.ok();
}

}  // namespace Q6
