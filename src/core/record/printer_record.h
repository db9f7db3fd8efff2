#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/common/result.h"
#include "core/link/printer_identity.h"
#include "core/record/record_entry.h"
#include "core/record/record_location.h"

// The record of what was sent to each printer. The printers never answer, so what a printer holds
// is known only from what this program delivered to it: every exchange, from the window, the
// command-line tool or the Ansible module, is one entry. An entry is begun, and stored, before the
// first byte leaves, and completed once the close is confirmed; an entry that never completes (a
// kill, a power cut) or that failed after the link opened leaves the settings it carried unknown.
//
// The record never stops or changes an exchange: every operation returns a refusal naming the
// record, what was being done and the system's reason, and the caller reports it in its reader's
// words and sends anyway. A record is never deleted or recreated.
//
// The programs talk to PrinterRecord only; open() picks the engine by the location's form: a
// postgresql:// or postgres:// URI is a record on a PostgreSQL server that many machines share
// (postgres_record.h), opened for writing behind an outbox that keeps the entries while the server
// is away (outbox_record.h); anything else is a file of one machine's (SQLite, sqlite_record.h).
namespace Q6 {

// How long an operation waits for another program that holds the record's write lock. A program
// that keeps committing is waited for as long as it makes headway; one that holds the lock and
// commits nothing for this long is reported.
inline constexpr int kRecordBusyMs = 2000;

// Why the record said no, in parts, so that each reader is told in its own words: the window names
// the file in its own sentence, the tool prefixes its warning, the module fills its result.
struct RecordRefusal {
  QString location;  // the record's file, absolute, or its server's URI with the password masked
  QString doing;     // "be opened", "be written", "be read", "take the setting \"x=y\""...
  QString reason;    // the system's or the database's words; empty when `doing` says it all
  // The record's server did not answer (not there, not reachable, not taking connections, or the
  // connection was lost): the caller may keep what it meant to write and try again later. Every
  // other refusal is the record's own answer and trying again changes nothing.
  bool unreachable = false;

  // "The printer record FILE cannot DOING: REASON".
  QString sentence() const;
  // The reason alone, for a sentence that names the record already.
  QString why() const;
};

// A Result whose refusal keeps its parts; error() is the whole sentence.
template <typename T = void>
class [[nodiscard]] RecordResult : public Result<T> {
 public:
  RecordResult(T value) : Result<T>(std::move(value)) {}  // NOLINT: a value is a success
  RecordResult(RecordRefusal refusal)                     // NOLINT: as is a refusal
      : Result<T>(Refused{refusal.sentence()}), refusal_(std::move(refusal)) {}
  RecordResult(Refused refusal) : Result<T>(std::move(refusal)) {}  // NOLINT: without its parts
  const RecordRefusal& refusal() const { return refusal_; }

 private:
  RecordRefusal refusal_;
};

template <>
class [[nodiscard]] RecordResult<void> : public Result<void> {
 public:
  RecordResult() = default;
  RecordResult(RecordRefusal refusal)  // NOLINT: a refusal
      : Result<void>(Refused{refusal.sentence()}), refusal_(std::move(refusal)) {}
  RecordResult(Refused refusal) : Result<void>(std::move(refusal)) {}  // NOLINT: without its parts
  const RecordRefusal& refusal() const { return refusal_; }

 private:
  RecordRefusal refusal_;
};

// Who is setting a printer up, as another machine that wants it is told.
struct PrinterHold {
  QString printer;
  bool held = false;  // this record now holds it
  QString holder;     // "user@host" of whoever holds it, when not held; empty when not known
  QDateTime since;    // since when they hold it (UTC); null when not known
  // "busy: being set up by USER@HOST since TIME"; empty when held.
  QString busy() const;
};

// How long a printer stays taken after its holder is gone without letting it go. A holder killed
// outright frees it at once, its connection closed by its own system; a holder whose machine or
// network went away is noticed by the server's TCP keepalives and user timeout, which the record
// sets for its session (postgres_db.cpp).
inline constexpr int kHolderGoneWithinMs = 30000;

enum class RecordAccess {
  Write,  // made when missing, brought up to date, written
  Read,   // read only: needs nothing but read permission, creates and changes nothing
};

// Where this login keeps its own state: $XDG_STATE_HOME/q6config ($HOME/.local/state/q6config
// when XDG_STATE_HOME is unset or relative).
QString stateFolder();

// The record the programs use: Q6CONFIG_RECORD when set and not empty, else
// $XDG_STATE_HOME/q6config/record.sqlite3 ($HOME/.local/state when XDG_STATE_HOME is unset).
QString defaultRecordPath();

// One open record. Every operation may be called from any thread; they take turns. Other programs
// writing the same record wait up to the busy timeout.
class PrinterRecord {
 public:
  using Completion = RecordCompletion;

  // Opens the record at `location`. For writing it is made when missing (its folder too) and an
  // older schema is brought up to date; for reading nothing is made or changed. Refused, naming
  // the record and the reason, when it cannot be opened or is no record; a refusal leaves the
  // record as it was.
  static RecordResult<std::unique_ptr<PrinterRecord>> open(
      const QString& location, RecordAccess access = RecordAccess::Write);
  virtual ~PrinterRecord() = default;
  PrinterRecord(const PrinterRecord&) = delete;
  PrinterRecord& operator=(const PrinterRecord&) = delete;

  // Where the record is, as refusals and reports name it.
  virtual const QString& path() const = 0;

  // Begins the entries at once, stored durably when this returns, and gives their ids in the same
  // order. id, outcome, sent, reason and completed of the entries are ignored.
  virtual RecordResult<std::vector<qint64>> begin(const std::vector<RecordEntry>& entries) = 0;
  // Completes the entries at once; a completion for no pending entry refuses them all.
  virtual RecordResult<> complete(const std::vector<Completion>& completions) = 0;
  // The printer's entries, newest first, at most `limit` (all when limit <= 0).
  virtual RecordResult<std::vector<RecordEntry>> history(const QString& printer, int limit) = 0;
  // What each printer holds, in the order asked, read as of one moment.
  virtual RecordResult<std::vector<PrinterState>> states(const QStringList& printers) = 0;
  // Once *stop is non-zero, an operation waiting for another program gives up at once (a stopped
  // run ends within its grace). Null: it waits as long as it would.
  virtual void stopWaitingWhen(const std::atomic<int>* stop) = 0;

  // Takes the printers for this record's holder, so that one machine at a time sets each of them
  // up: a fleet runner holds a printer right before opening its link and releases it after the
  // close. `by` is "user@host" as entries name them. A printer someone else holds, another machine
  // or another caller of this same record, is waited for up to waitMs and then left out, its
  // PrinterHold saying who has it; the rest are held. One answer per printer, in the order asked.
  // A record of one machine's (a file) has no one else to wait for and grants every printer.
  // Held printers stay held until released, until the record is closed, or until its connection
  // to the server is lost (see kHolderGoneWithinMs for a holder that died).
  virtual RecordResult<std::vector<PrinterHold>> hold(const QStringList& printers,
                                                      const QString& by, int waitMs) = 0;
  // Lets the printers go; those this record does not hold are passed over.
  virtual RecordResult<> release(const QStringList& printers) = 0;

  // A shared record whose server cannot be used keeps what is written to it in an outbox on this
  // machine (outbox_record.h). Why it is away, or nothing while it answers (and for a file).
  virtual std::optional<RecordRefusal> away() const { return std::nullopt; }
  // The outbox's file; empty for a record that keeps none.
  virtual QString outbox() const { return {}; }
  // `said` is called once, on the thread that found it, when the record goes away (at once when it
  // is away already), so that the caller can tell its reader once. It must not call the record.
  virtual void whenAway(std::function<void(const RecordRefusal&)> said) { (void)said; }

 protected:
  PrinterRecord() = default;
};

}  // namespace Q6
