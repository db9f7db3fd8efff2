#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "cli/fleet.h"
#include "cli/options.h"
#include "cli/output.h"
#include "core/store/printer_record.h"

// q6config-cli and the record of what was sent to each printer: the runs write an entry per
// exchange ahead of the first byte and complete it when the exchange ends; history and state read
// it. The record never stops or changes an exchange: its first fault is reported once and the run
// goes on without it.
namespace Q6Cli {

// The record as one run uses it. Its operations may be called from two threads (the entries are
// begun on one, completed on another); they take turns.
class RunRecord {
 public:
  RunRecord(const Options& o, const Streams& io);
  RunRecord(const RunRecord&) = delete;
  RunRecord& operator=(const RunRecord&) = delete;

  // The file, or empty with --no-record.
  const QString& path() const { return path_; }
  // Why it is not used any more, for the report; empty while it is fine.
  QString error() const;
  bool usable() const;

  // Opens the record, creating it, for a run that sends. Only when it exists already for one
  // that sends nothing (a check), so that a look creates no file.
  void open(bool createIfMissing);
  // What each printer holds, in the order given; nothing when the record is not usable.
  std::optional<std::vector<Q6::PrinterState>> states(const QStringList& printers);
  // Begins the entries in one transaction; their ids, or nothing when the record is not usable.
  std::optional<std::vector<qint64>> begin(const std::vector<Q6::RecordEntry>& entries);
  // Queues a completion; written when `flush` is called or enough have gathered.
  void complete(const Q6::PrinterRecord::Completion& completion);
  void flush();

 private:
  void fail(const QString& reason);  // with mutex_ held
  mutable std::mutex mutex_;
  const Streams& io_;
  QString path_;
  QString error_;
  std::unique_ptr<Q6::PrinterRecord> record_;
  std::vector<Q6::PrinterRecord::Completion> pending_;
};

// Begins a run's entries a stretch ahead of the targets they are for, on a thread of its own, and
// releases each stretch through the gate once it is on disk, so that sending starts after the first
// few entries instead of after all of them, and no target starts before its entry is written. A
// stretch the record refuses is released without entries (ids 0), as the record never stops an
// exchange. Once `stop` is set no more entries are begun and the gate is cancelled: the targets
// not yet released never start.
class EntriesAhead {
 public:
  EntriesAhead(RunRecord& record, std::vector<Q6::RecordEntry> entries, std::vector<qint64>& ids,
               std::shared_ptr<ReleaseGate> gate, const std::atomic<int>& stop);
  ~EntriesAhead();
  EntriesAhead(const EntriesAhead&) = delete;
  EntriesAhead& operator=(const EntriesAhead&) = delete;

 private:
  void run();
  RunRecord& record_;
  const std::vector<Q6::RecordEntry> entries_;
  std::vector<qint64>& ids_;
  const std::shared_ptr<ReleaseGate> gate_;
  const std::atomic<int>& stop_;
  std::thread thread_;
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
