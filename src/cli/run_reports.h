#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

#include "cli/fleet.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/payload.h"
#include "cli/report_stream.h"

// Every report of apply, reset and test: the --json report as the run goes (ReportStream), and the
// --html page and the --junit file, written at the end from what each target needs for its row.
namespace Q6Cli {

// Why the reports asked for cannot be written as named ("-" for a page, two reports to one file);
// empty when they can.
QString reportPathsRefusal(const Options& o);

// The reports' temporary files, made before the first link opens: a folder that cannot take one
// refuses the run.
struct ReportFiles {
  ReportFile json;
  ReportFile html;
  ReportFile junit;
  // False with *error set: a report that cannot be made, or reportPathsRefusal.
  bool open(const Options& o, QString* error);
};

// What one target's row needs, small: a run to a hundred thousand printers keeps under sixty bytes
// a target here. The name is shared with the run's own text and the settings with its decisions,
// which outlive the reports.
struct RunRow {
  QString target;
  const TargetNote* note = nullptr;
  qint64 bytes = 0;
  qint32 ms = 0;
  qint32 error = -1;  // in RunRows::errors, failed targets only
  Outcome outcome = Outcome::NotStarted;
  bool given = false;
};

// The order the page shows the targets in: what needs a look first.
enum class RowGroup { Failed, Stopped, NotSent, Changed, Unchanged };
inline constexpr int kRowGroups = 5;
RowGroup groupOf(const RunRow& row);

struct RunRows {
  std::vector<RunRow> rows;  // in the order the targets were given
  QStringList errors;
};

// What the pages say of the run as a whole.
struct RunFacts {
  QString command;  // "apply"
  QString what;     // "apply for the QLX500"
  QString preset;   // as given
  QStringList sets;
  QString model;
  QDateTime started;
  QDateTime finished;
  QString by;  // user@host
  QString host;
  QString record;  // empty with --no-record
  QString recordError;
  QStringList notes;
  QString stoppedBy;  // "SIGTERM", or empty
  bool check = false;
  bool dryRun = false;
  bool changes = true;  // the run changes settings (apply, reset), so "changed" means something
  int counts[kRowGroups] = {};
};

bool writeRunPage(ReportFile& file, const RunFacts& facts, const RunRows& rows, QString* error);
bool writeRunJunit(ReportFile& file, const RunFacts& facts, const RunRows& rows, QString* error);

class RunReports {
 public:
  RunReports(const Options& o, ReportFiles& files, const Streams& io);
  RunReports(const RunReports&) = delete;
  RunReports& operator=(const RunReports&) = delete;

  void begin(const Payload& payload, const QString& recordPath, const QDateTime& started);
  void add(size_t index, const TargetResult& result, const TargetNote& note);
  // False once an error is printed: a report could not be written, and is not there.
  bool end(const RunSummary& summary, const QString& recordError, const QStringList& notes);

 private:
  const Options& o_;
  ReportFiles& files_;
  const Streams& io_;
  ReportStream json_;
  bool pages_;
  RunFacts facts_;
  RunRows rows_;
};

// --dry-run with --html or --junit: the pages of a run that would send everything to every target;
// nothing is opened. The exit code.
int writeDryRunPages(const Options& o, const Payload& payload, const std::vector<Target>& targets,
                     const Streams& io);

}  // namespace Q6Cli
