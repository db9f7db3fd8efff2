#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "cli/fleet.h"
#include "cli/options.h"
#include "cli/output.h"
#include "core/record/printer_record.h"

// q6config-cli and the record of what was sent to each printer: the runs write an entry per
// exchange ahead of the first byte and complete it when the exchange ends; history and state read
// it. The record never stops or changes an exchange: its first fault is reported once and the run
// goes on without it.
namespace Q6Cli {

// The entries of a run's targets, made a stretch at a time rather than held for every target:
// targets sent the same list differ in their printer only.
struct RunEntries {
  std::vector<Q6::RecordEntry> ofList;  // per command list
  std::vector<int> listOf;              // per target
  QStringList printers;                 // per target
  size_t size() const { return listOf.size(); }
  Q6::RecordEntry at(size_t k) const;
};

// The record as one run uses it. Before the run it is read on the calling thread (states); during
// the run it is written by one thread of its own, the writer: it begins the entries a stretch ahead
// of the targets and writes the completions queued meanwhile, each batch in one transaction, so
// that the fleet's reporting loop, which also watches for Ctrl-C, never waits on a sync or on
// another program's lock.
class RunRecord {
 public:
  RunRecord(const Options& o, const Streams& io);
  ~RunRecord();  // finish()
  RunRecord(const RunRecord&) = delete;
  RunRecord& operator=(const RunRecord&) = delete;

  // The record's location as it may be shown (a server's password masked), or empty with
  // --no-record.
  const QString& path() const { return shown_; }
  // Why it is not used any more, for the report; empty while it is fine.
  QString error() const;
  bool usable() const;
  // A --changes-only run: a target whose entry cannot be begun is not sent (beginAhead refuses it
  // through the gate), whether the record failed on the way or could not be opened at all.
  bool truthful() const;

  // Opens the record, creating it, for a run that sends. Only when it exists already for one
  // that sends nothing (a check), and then only for reading, so that a look creates no file and
  // needs no more than read permission.
  void open(bool createIfMissing);
  // What each printer holds, in the order given; nothing when the record is not usable.
  std::optional<std::vector<Q6::PrinterState>> states(const QStringList& printers);
  // Begins the entries in one transaction, now; their ids, or nothing when the record is not
  // usable.
  std::optional<std::vector<qint64>> begin(const std::vector<Q6::RecordEntry>& entries);

  // Hands the entries to the writer, which begins them a stretch ahead of the targets they are
  // for: a small first stretch so that sending starts at once, then longer ones, so that a large
  // fleet syncs the file a few times, not once a target. Each stretch's ids are written to `ids`
  // and the stretch released through the gate once it is stored; a stretch the record refuses is
  // released without entries (ids 0), as the record never stops an exchange. Once `stop` is set no
  // more are begun, the gate is cancelled, and a wait for another program gives up.
  void beginAhead(RunEntries entries, std::vector<qint64>& ids, std::shared_ptr<ReleaseGate> gate,
                  const std::atomic<int>& stop);
  // Waits until the writer is done with the entries handed to beginAhead.
  void waitAhead();
  // A record shared by many machines sets each printer up from one machine at a time: the writer
  // holds a stretch's printers with its entries (those another machine has are marked), takePrinter
  // is asked on the target's worker right before its link opens and waits up to waitMs for a
  // printer held elsewhere (an empty answer: go; else why not, "busy: being set up by …"), and
  // letGo queues the printer to be let go after its close. A record of one machine's needs none.
  bool sharesPrinters() const { return shared_; }
  QString takePrinter(size_t index, int waitMs);
  void letGo(size_t index);
  // Queues a completion for the writer; never waits on the record.
  void complete(const Q6::PrinterRecord::Completion& completion);
  // Asks the writer to write what is queued; never waits on the record.
  void flush();
  // Waits until everything queued is written, and ends the writer.
  void finish();

 private:
  struct Ahead {
    RunEntries entries;
    std::vector<qint64>* ids = nullptr;
    std::shared_ptr<ReleaseGate> gate;
    const std::atomic<int>* stop = nullptr;
    size_t next = 0;
    size_t stretch = 0;
  };
  bool startWriter();  // with mutex_ held; false when no thread can be had
  void writerLoop();
  bool aheadLeft() const;  // with mutex_ held
  void beginStretch(std::unique_lock<std::mutex>& lock);
  void writeQueued(std::unique_lock<std::mutex>& lock);
  void holdStretch(std::unique_lock<std::mutex>& lock, size_t first, size_t end);
  void fail(const QString& reason);  // with mutex_ held

  mutable std::mutex mutex_;
  std::condition_variable wake_;  // the writer: work has come
  std::condition_variable idle_;  // the callers: the writer has done some
  const Streams& io_;
  QString path_;
  const QString shown_;
  QString error_;
  std::unique_ptr<Q6::PrinterRecord> record_;
  std::unique_ptr<Q6::PrinterRecord> retired_;  // failed during the run
  std::vector<Q6::PrinterRecord::Completion> queued_;
  std::optional<Ahead> ahead_;
  const bool truthful_;
  const bool shared_;              // a server's record: printers are held for their exchange
  const QString holder_;           // "user@host"
  std::vector<char> heldAhead_;    // per target of beginAhead: held with its stretch
  std::vector<size_t> lettingGo_;  // targets whose printers are to be let go
  bool flushAsked_ = false;
  bool finishing_ = false;
  bool writing_ = false;  // the writer has taken work out of the queue and is at the record
  std::thread writer_;
};

// beginAhead for the length of a run: the targets are sent while it lives, and it waits for the
// writer to be done with their entries when it ends.
class EntriesAhead {
 public:
  EntriesAhead(RunRecord& record, RunEntries entries, std::vector<qint64>& ids,
               std::shared_ptr<ReleaseGate> gate, const std::atomic<int>& stop)
      : record_(record) {
    record_.beginAhead(std::move(entries), ids, std::move(gate), stop);
  }
  ~EntriesAhead() { record_.waitAhead(); }
  EntriesAhead(const EntriesAhead&) = delete;
  EntriesAhead& operator=(const EntriesAhead&) = delete;

 private:
  RunRecord& record_;
};

// "q6config-cli 1.8.0", as entries name the program.
QString programName();

// The printer's value of a setting as the report and --diff show it: the entry name, "factory" or
// "unknown".
QString recordedText(const Q6::SettingState& state);

// The completion of a target's entry from how its exchange ended.
Q6::PrinterRecord::Completion completionOf(qint64 id, const TargetResult& result);

// The record's file as --record and --no-record name it: empty with --no-record.
QString recordPath(const Options& o);

}  // namespace Q6Cli
