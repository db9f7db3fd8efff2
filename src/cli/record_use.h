#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

#include "cli/options.h"
#include "cli/output.h"
#include "core/store/printer_record.h"

// q6config-cli and the record of what was sent to each printer: the runs write an entry per
// exchange ahead of the first byte and complete it when the exchange ends; history and state read
// it. The record never stops or changes an exchange: its first fault is reported once and the run
// goes on without it.
namespace Q6Cli {

// The record as one run uses it.
class RunRecord {
 public:
  RunRecord(const Options& o, const Streams& io);
  RunRecord(const RunRecord&) = delete;
  RunRecord& operator=(const RunRecord&) = delete;

  // The file, or empty with --no-record.
  const QString& path() const { return path_; }
  // Why it is not used any more, for the report; empty while it is fine.
  const QString& error() const { return error_; }
  bool usable() const { return record_ != nullptr; }

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
  void fail(const QString& reason);
  const Streams& io_;
  QString path_;
  QString error_;
  std::unique_ptr<Q6::PrinterRecord> record_;
  std::vector<Q6::PrinterRecord::Completion> pending_;
};

// "q6config-cli 1.8.0", as entries name the program.
QString programName();

// The printer's value of a setting as the report and --diff show it: the entry name, "factory" or
// "unknown".
QString recordedText(const Q6::SettingState& state);

// The completion of a target's entry from how its exchange ended.
Q6::PrinterRecord::Completion completionOf(qint64 id, const TargetResult& result);

// `history` and `state`: read the record only, open no link. Return the exit code.
int runHistory(const Options& o, const std::vector<Target>& targets, const Streams& io);
int runState(const Options& o, const std::vector<Target>& targets, const Streams& io);

}  // namespace Q6Cli
