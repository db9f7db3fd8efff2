#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <map>
#include <string>

#include "cli/fleet.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/payload.h"

// The --json report of apply, reset and test, written as the run goes: the fields known before the
// first target, then each target's object as soon as every target before it is written, then the
// counts. Targets end in any order; one that ends before those given ahead of it waits as its few
// bytes, so a run to a hundred thousand printers holds no report in memory. Into the report's
// temporary file, renamed over the report only at the end (a report is whole or absent), or to
// standard output for "-".
namespace Q6Cli {

class ReportStream {
 public:
  // No report when o.json is empty: every call does nothing.
  ReportStream(const Options& o, ReportFile& file, const Streams& io);
  ReportStream(const ReportStream&) = delete;
  ReportStream& operator=(const ReportStream&) = delete;

  // The fields known before the run.
  void begin(const Payload& payload, const QString& recordPath, const QDateTime& started);
  // Target `index` (in the order given) ended, or was decided without sending.
  void add(size_t index, const TargetResult& result, const TargetNote& note);
  // The counts and what the run learnt on its way; false once the error is printed (the report
  // could not be written, and is not there).
  bool end(const RunSummary& summary, const QString& recordError, const QStringList& notes);

 private:
  void put(const QByteArray& bytes);
  void put(const TargetResult& result, const TargetNote& note);  // the next target
  void send();  // what is gathered, to the file or standard output

  const Options& o_;
  ReportFile& file_;
  const Streams& io_;
  bool on_;
  bool toStdout_;
  QString error_;           // the first write that failed
  QByteArray held() const;  // what is gathered, not copied
  std::string gathered_;    // written out in large pieces; keeps its room
  size_t next_ = 0;         // the target written next
  struct Early {
    TargetResult result;
    const TargetNote* note;
  };
  std::map<size_t, Early> early_;  // targets that ended before `next_` did
  int unchanged_ = 0;
};

}  // namespace Q6Cli
