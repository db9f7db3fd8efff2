#pragma once

#include <QDateTime>

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <vector>

#include "cli/fleet.h"
#include "cli/options.h"
#include "cli/payload.h"
#include "cli/targets.h"
#include "core/common/whole_file.h"
#include "core/printer/commands.h"

// What q6config-cli writes: its lines, the progress line, the summary and the JSON report.
namespace Q6Cli {

// Exit codes: every target delivered; some target failed; bad usage or refused input (nothing was
// sent anywhere). A run stopped by a signal ends with 128 + the signal.
inline constexpr int kExitDelivered = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitRefused = 2;

// Where the output goes, with the program's own prefix on errors.
struct Streams {
  std::FILE* out;
  std::FILE* err;
  // Every byte of the line goes out (a NUL would end an fputs early); names in it are escaped by
  // the caller (displayText), so that it stays one line.
  void line(const QString& text, bool flush = true) const { put(text + u'\n', out, flush); }
  void error(const QString& text) const {
    put(QStringLiteral("q6config-cli: ") + text + u'\n', err, true);
  }
  // "q6config-cli: note: TEXT", and TEXT kept in notes for the report, which lists every note.
  void note(const QString& text, QStringList* notes) const;
  static void put(const QString& text, std::FILE* to, bool flush);
};

// One setting a target was (or would be) sent, and what the record held before.
struct SettingChange {
  QString setting;
  QString before;  // the entry name, "factory" or "unknown"
  QString after;
};

// What the report says of a target beyond its result.
struct TargetNote {
  bool changed = true;
  QList<SettingChange> diff;  // shared, not copied, by the targets decided alike
};

// The record as the report names it: its file (empty with --no-record) and, when it could not be
// used, why.
struct RecordNote {
  QString path;
  QString error;
};

// Where the lines for people go: standard error when the report is standard output (--json -).
Streams forPeople(const Options& o, const Streams& io);

// "ok TARGET ..." or "FAILED TARGET: why", as each target finishes.
// Not flushed: a fleet's lines go out as the stream's buffer fills and at its ticks, not in a
// system call each.
void printResult(const TargetResult& result, const Streams& human);

// The progress line, on a terminal only, redrawn in place below the result lines. It names the
// target waited on longest, so that a run that seems stuck says what it is stuck on.
class Progress {
 public:
  Progress(std::FILE* err, int total, bool wanted);
  void clear();
  void draw(const FleetStatus& status, int failed, const QString& oldest);

 private:
  std::FILE* err_;
  int total_;
  bool on_;
  bool drawn_ = false;
};

// The --json report: written to a temporary file beside its path and renamed over it at the end, so
// that a report already there stays whole until the new one is. The temporary file is made before
// the first target opens, so a folder that cannot take it refuses the run.
class ReportFile {
 public:
  ReportFile() = default;
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;
  ~ReportFile() { discard(); }

  bool open(const QString& path, QString* error);
  bool isOpen() const { return !path_.isEmpty(); }
  // Adds bytes to the new report, as a run goes.
  bool append(const QByteArray& text, QString* error);
  // Adds the last bytes and puts the report in its place.
  bool commit(const QByteArray& text, QString* error);
  void discard();

 private:
  QString path_;  // the file replaced, after its links
  Q6::FileReplacement replacement_;
  QByteArray watched_;  // the temporary file a second signal removes
};

// How a run ended, counted from its results, and the exit code it ends with.
struct RunSummary {
  QDateTime started;  // when the first target was started
  int delivered = 0;
  int failed = 0;
  int interrupted = 0;
  int notStarted = 0;
  int stoppedBy = 0;  // the signal that stopped the run, or 0
  int code = kExitDelivered;
};

// Counts the results (`failed`: the targets reported failed as they finished), writes a line for
// each target the stop left undelivered and the closing summary.
RunSummary summarize(const std::vector<TargetResult>& results, int failed, int stoppedBy,
                     const Streams& human, const Streams& io);

// The report's words for how a target ended ("ok", "not started"...) and for a stopping signal.
QString statusName(Outcome outcome);
QString signalName(int signo);

// Writes a command's --json report: to standard output for "-", else over its file, which is
// opened here unless the run opened it before its first target. False once the error is printed.
bool writeReport(const Options& o, const QJsonObject& report, ReportFile& file, const Streams& io);

}  // namespace Q6Cli
