#include "cli/run_reports.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>

#include "cli/decide.h"
#include "core/record/record_entry.h"

namespace Q6Cli {

namespace {

QString fileKey(const QString& path) {
  return QFileInfo(path).absoluteFilePath();
}

bool writePages(const Options& o, ReportFiles& files, const RunFacts& facts, const RunRows& rows,
                const Streams& io) {
  bool written = true;
  QString error;
  if (!o.html.isEmpty() && !writeRunPage(files.html, facts, rows, &error)) {
    io.error(error);
    written = false;
  }
  if (!o.junit.isEmpty() && !writeRunJunit(files.junit, facts, rows, &error)) {
    io.error(error);
    written = false;
  }
  return written;
}

void noteFacts(const Options& o, const Payload& payload, RunFacts* facts) {
  facts->command = o.command;
  facts->what = payload.what;
  facts->preset = o.preset;
  facts->sets = o.sets;
  facts->model = payload.model.isEmpty() ? o.model : payload.model;
  facts->host = Q6::recordHost();
  facts->by = Q6::recordUser() + u'@' + facts->host;
  facts->check = o.check;
  facts->dryRun = o.dryRun;
  facts->changes = payload.effect != Q6::RecordEffect::None;
}

void count(const RunRows& rows, RunFacts* facts) {
  for (const RunRow& row : rows.rows) {
    if (row.given) {
      ++facts->counts[static_cast<int>(groupOf(row))];
    }
  }
}

}  // namespace

QString reportPathsRefusal(const Options& o) {
  const std::pair<const char*, const QString*> pages[] = {{"--html", &o.html},
                                                          {"--junit", &o.junit}};
  QStringList seen;
  if (!o.json.isEmpty() && o.json != u"-") {
    seen << fileKey(o.json);
  }
  for (const auto& [option, path] : pages) {
    if (path->isEmpty()) {
      continue;
    }
    if (*path == u"-") {
      return QStringLiteral("%1 writes a file; only --json writes to standard output.")
          .arg(QLatin1String(option));
    }
    if (seen.contains(fileKey(*path))) {
      return QStringLiteral("%1 names the file another report of this run is written to: %2")
          .arg(QLatin1String(option), displayText(*path));
    }
    seen << fileKey(*path);
  }
  return QString();
}

bool ReportFiles::open(const Options& o, QString* error) {
  *error = reportPathsRefusal(o);
  return error->isEmpty() && (o.json.isEmpty() || o.json == u"-" || json.open(o.json, error)) &&
         (o.html.isEmpty() || html.open(o.html, error)) &&
         (o.junit.isEmpty() || junit.open(o.junit, error));
}

RowGroup groupOf(const RunRow& row) {
  switch (row.outcome) {
    case Outcome::Failed:
      return RowGroup::Failed;
    case Outcome::Interrupted:
      return RowGroup::Stopped;
    case Outcome::NotStarted:
      return RowGroup::NotSent;
    case Outcome::Unchanged:
      return RowGroup::Unchanged;
    case Outcome::Delivered:
    case Outcome::WouldChange:
      break;
  }
  return row.note && !row.note->changed ? RowGroup::Unchanged : RowGroup::Changed;
}

RunReports::RunReports(const Options& o, ReportFiles& files, const Streams& io)
    : o_(o),
      files_(files),
      io_(io),
      json_(o, files.json, io),
      pages_(!o.html.isEmpty() || !o.junit.isEmpty()) {}

void RunReports::begin(const Payload& payload, const QString& recordPath,
                       const QDateTime& started) {
  json_.begin(payload, recordPath, started);
  if (pages_) {
    noteFacts(o_, payload, &facts_);
    facts_.record = recordPath;
    facts_.started = started;
  }
}

void RunReports::add(size_t index, const TargetResult& result, const TargetNote& note) {
  json_.add(index, result, note);
  if (!pages_) {
    return;
  }
  if (index >= rows_.rows.size()) {
    rows_.rows.resize(index + 1);
  }
  RunRow& row = rows_.rows[index];
  row.target = result.target;
  row.note = &note;
  row.bytes = result.bytes;
  row.ms =
      static_cast<qint32>(std::clamp<qint64>(result.ms, 0, std::numeric_limits<qint32>::max()));
  row.outcome = result.outcome;
  row.given = true;
  if (result.outcome == Outcome::Failed) {
    row.error = static_cast<qint32>(rows_.errors.size());
    rows_.errors << result.error;
  }
}

bool RunReports::end(const RunSummary& summary, const QString& recordError,
                     const QStringList& notes) {
  bool written = json_.end(summary, recordError, notes);
  if (!pages_) {
    return written;
  }
  facts_.finished = QDateTime::currentDateTimeUtc();
  facts_.recordError = recordError;
  facts_.notes = notes;
  facts_.stoppedBy = summary.stoppedBy ? signalName(summary.stoppedBy) : QString();
  count(rows_, &facts_);
  return writePages(o_, files_, facts_, rows_, io_) && written;
}

int writeDryRunPages(const Options& o, const Payload& payload, const std::vector<Target>& targets,
                     const Streams& io) {
  if (o.html.isEmpty() && o.junit.isEmpty()) {
    return kExitDelivered;
  }
  ReportFiles files;
  QString error;
  if (!files.open(o, &error)) {
    io.error(error);
    return kExitRefused;
  }
  const Decisions decisions = decide(o, payload, targets.size(), std::nullopt);
  RunFacts facts;
  noteFacts(o, payload, &facts);
  facts.started = facts.finished = QDateTime::currentDateTimeUtc();
  facts.notes = payload.notes;
  RunRows rows;
  rows.rows.resize(targets.size());
  for (size_t i = 0; i < targets.size(); ++i) {
    RunRow& row = rows.rows[i];
    row.target = targets[i].text;
    row.note = &decisions.notes[i];
    row.bytes = Q6::byteCount(decisions.commands.lists[static_cast<size_t>(decisions.listOf[i])]);
    row.outcome = Outcome::WouldChange;
    row.given = true;
  }
  count(rows, &facts);
  return writePages(o, files, facts, rows, io) ? kExitDelivered : kExitSomeFailed;
}

}  // namespace Q6Cli
