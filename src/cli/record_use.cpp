#include "cli/record_use.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "core/settings/settings_table.h"
#include "core/settings/window_content.h"
#include "version.h"

namespace Q6Cli {

namespace {

// Completions are written in batches: one transaction (and one sync) per batch, never per target.
constexpr size_t kCompletionBatch = 512;

// The entries begun ahead of the targets: a small first stretch so that sending starts at once,
// then doubling up to the longest, so that a large fleet syncs the file a few times, not once a
// target.
constexpr size_t kFirstStretch = 32;
constexpr size_t kLongestStretch = 2048;

// How far back `state` looks for the model the printer was last set up as.
constexpr int kModelLookBack = 50;

QString timeText(const QDateTime& time) {
  return time.isValid() ? time.toUTC().toString(Qt::ISODate) : QString();
}

QString recordPath(const Options& o) {
  if (o.noRecord) {
    return {};
  }
  return o.record.isEmpty() ? Q6::defaultRecordPath() : o.record;
}

// The record for a read: opened only when its file exists, so that a look creates nothing.
// Nothing with *code set when there is nothing to read (0) or it cannot be read (1).
std::unique_ptr<Q6::PrinterRecord> openForReading(const Options& o, const Streams& human,
                                                  const Streams& io, int* code) {
  const QString path = recordPath(o);
  *code = kExitDelivered;
  if (path.isEmpty()) {
    io.error(
        QStringLiteral("%1 reads the record; --no-record leaves nothing to read.").arg(o.command));
    *code = kExitRefused;
    return nullptr;
  }
  if (!QFileInfo::exists(path)) {
    human.error(QStringLiteral("there is no record yet at %1: nothing has been sent with it.")
                    .arg(displayText(path)));
    return nullptr;
  }
  Q6::Result<std::unique_ptr<Q6::PrinterRecord>> opened = Q6::PrinterRecord::open(path);
  if (!opened) {
    io.error(QStringLiteral("the record at %1 cannot be read: %2")
                 .arg(displayText(path), opened.error()));
    *code = kExitSomeFailed;
    return nullptr;
  }
  return std::move(*opened);
}

QJsonObject entryJson(const Q6::RecordEntry& e) {
  return QJsonObject{{QStringLiteral("id"), e.id},
                     {QStringLiteral("time"), timeText(e.time)},
                     {QStringLiteral("completed"), timeText(e.completed)},
                     {QStringLiteral("outcome"), Q6::recordOutcomeName(e.outcome)},
                     {QStringLiteral("action"), e.action},
                     {QStringLiteral("model"), e.model},
                     {QStringLiteral("effect"), Q6::recordEffectName(e.effect)},
                     {QStringLiteral("settings"), QJsonArray::fromStringList(e.settings)},
                     {QStringLiteral("bytes"), e.bytes},
                     {QStringLiteral("sent"), e.sent},
                     {QStringLiteral("sha256"), QString::fromLatin1(e.sha256.toHex())},
                     {QStringLiteral("user"), e.user},
                     {QStringLiteral("host"), e.host},
                     {QStringLiteral("program"), e.program},
                     {QStringLiteral("reason"), e.reason}};
}

QString entryLine(const Q6::RecordEntry& e) {
  QString line =
      QStringLiteral("  %1  %2  %3")
          .arg(timeText(e.time), Q6::recordOutcomeName(e.outcome), displayText(e.action));
  if (!e.settings.isEmpty()) {
    line += QStringLiteral("  ") + displayText(e.settings.join(u' '));
  }
  line += QStringLiteral("  %1 bytes  %2@%3  %4")
              .arg(QString::number(e.bytes), displayText(e.user), displayText(e.host),
                   displayText(e.program));
  if (!e.reason.isEmpty()) {
    line += QStringLiteral(": ") + displayText(e.reason);
  }
  return line;
}

QString printerHeading(const Target& target, const QString& printer) {
  return target.text == printer
             ? displayText(printer)
             : QStringLiteral("%1 (%2)").arg(displayText(target.text), displayText(printer));
}

}  // namespace

RunRecord::RunRecord(const Options& o, const Streams& io) : io_(io), path_(recordPath(o)) {}

QString RunRecord::error() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return error_;
}

bool RunRecord::usable() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return record_ != nullptr;
}

void RunRecord::fail(const QString& reason) {
  if (!error_.isEmpty()) {
    return;
  }
  error_ = reason;
  record_.reset();
  pending_.clear();
  io_.error(QStringLiteral("warning: the record at %1 could not be updated: %2; it is behind — run "
                           "with --force once it can be written")
                .arg(displayText(path_), displayText(reason)));
}

void RunRecord::open(bool createIfMissing) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (path_.isEmpty() || record_ || !error_.isEmpty()) {
    return;
  }
  if (!createIfMissing && !QFileInfo::exists(path_)) {
    return;
  }
  Q6::Result<std::unique_ptr<Q6::PrinterRecord>> opened = Q6::PrinterRecord::open(path_);
  if (!opened) {
    fail(opened.error());
    return;
  }
  record_ = std::move(*opened);
}

std::optional<std::vector<Q6::PrinterState>> RunRecord::states(const QStringList& printers) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!record_) {
    return std::nullopt;
  }
  Q6::Result<std::vector<Q6::PrinterState>> states = record_->states(printers);
  if (!states) {
    fail(states.error());
    return std::nullopt;
  }
  return std::move(*states);
}

std::optional<std::vector<qint64>> RunRecord::begin(const std::vector<Q6::RecordEntry>& entries) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!record_) {
    return std::nullopt;
  }
  Q6::Result<std::vector<qint64>> ids = record_->begin(entries);
  if (!ids || ids->size() != entries.size()) {
    fail(ids ? QStringLiteral("it gave %1 entries for %2").arg(ids->size()).arg(entries.size())
             : ids.error());
    return std::nullopt;
  }
  return std::move(*ids);
}

void RunRecord::complete(const Q6::PrinterRecord::Completion& completion) {
  if (completion.id == 0) {
    return;
  }
  bool full = false;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!record_) {
      return;
    }
    pending_.push_back(completion);
    full = pending_.size() >= kCompletionBatch;
  }
  if (full) {
    flush();
  }
}

void RunRecord::flush() {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!record_ || pending_.empty()) {
    return;
  }
  const Q6::Result<> done = record_->complete(pending_);
  pending_.clear();
  if (!done) {
    fail(done.error());
  }
}

EntriesAhead::EntriesAhead(RunRecord& record, std::vector<Q6::RecordEntry> entries,
                           std::vector<qint64>& ids, std::shared_ptr<ReleaseGate> gate,
                           const std::atomic<int>& stop)
    : record_(record),
      entries_(std::move(entries)),
      ids_(ids),
      gate_(std::move(gate)),
      stop_(stop) {
  try {
    thread_ = std::thread([this] { run(); });
  } catch (const std::system_error&) {
    run();  // no thread to be had: all of them now, before the first target
  }
}

EntriesAhead::~EntriesAhead() {
  if (thread_.joinable()) {
    thread_.join();
  }
}

void EntriesAhead::run() {
  size_t stretch = kFirstStretch;
  for (size_t first = 0; first < entries_.size() && stop_.load() == 0;) {
    const size_t end = std::min(entries_.size(), first + stretch);
    const std::vector<Q6::RecordEntry> part(entries_.begin() + static_cast<qsizetype>(first),
                                            entries_.begin() + static_cast<qsizetype>(end));
    if (const std::optional<std::vector<qint64>> begun = record_.begin(part)) {
      std::copy(begun->begin(), begun->end(), ids_.begin() + static_cast<qsizetype>(first));
    }
    gate_->release(static_cast<int>(end));
    first = end;
    stretch = std::min(stretch * 2, kLongestStretch);
  }
  if (stop_.load() != 0) {
    // Stopped: what is left is never started, and has no entry.
    gate_->cancel();
  }
}

QString programName() {
  return QStringLiteral("q6config-cli %1")
      .arg(Q6::versionText(Q6Version::kMajor, Q6Version::kMinor, Q6Version::kRevision));
}

QString recordedText(const Q6::SettingState& state) {
  switch (state.status) {
    case Q6::SettingStatus::Known:
      return state.value;
    case Q6::SettingStatus::Factory:
      return QStringLiteral("factory");
    case Q6::SettingStatus::Unknown:
      break;
  }
  return QStringLiteral("unknown");
}

Q6::PrinterRecord::Completion completionOf(qint64 id, const TargetResult& r) {
  Q6::PrinterRecord::Completion c;
  c.id = id;
  c.sent = r.bytes;
  c.reason = r.error;
  switch (r.outcome) {
    case Outcome::Delivered:
      c.outcome = Q6::RecordOutcome::Delivered;
      c.reason.clear();
      break;
    case Outcome::Failed:
      // Once the link opened the printer may hold part of it: its settings become unknown.
      c.outcome = r.opened ? Q6::RecordOutcome::Failed : Q6::RecordOutcome::NotSent;
      break;
    case Outcome::Interrupted:
      c.outcome = Q6::RecordOutcome::Failed;
      c.reason = QStringLiteral("the run was stopped while it was being sent");
      break;
    case Outcome::NotStarted:
    case Outcome::Unchanged:
    case Outcome::WouldChange:
      c.outcome = Q6::RecordOutcome::NotSent;
      c.reason = QStringLiteral("the run was stopped before its turn");
      break;
  }
  return c;
}

int runHistory(const Options& o, const std::vector<Target>& targets, const Streams& io) {
  const Streams human{o.json == u"-" ? io.err : io.out, io.err};
  int code = kExitDelivered;
  const std::unique_ptr<Q6::PrinterRecord> record = openForReading(o, human, io, &code);
  QJsonObject json{{QStringLiteral("record"), recordPath(o)}};
  QJsonArray printers;
  for (size_t i = 0; record && i < targets.size(); ++i) {
    const QString printer = Q6::recordPrinterName(targets[i].settings);
    const Q6::Result<std::vector<Q6::RecordEntry>> entries = record->history(printer, o.limit);
    if (!entries) {
      io.error(QStringLiteral("the record at %1 cannot be read: %2")
                   .arg(displayText(record->path()), entries.error()));
      return kExitSomeFailed;
    }
    human.line(printerHeading(targets[i], printer), false);
    if (entries->empty()) {
      human.line(QStringLiteral("  nothing recorded"), false);
    }
    QJsonArray list;
    for (const Q6::RecordEntry& e : *entries) {
      human.line(entryLine(e), false);
      list.append(entryJson(e));
    }
    printers.append(QJsonObject{{QStringLiteral("target"), targets[i].text},
                                {QStringLiteral("printer"), printer},
                                {QStringLiteral("entries"), list}});
  }
  std::fflush(human.out);
  json[QStringLiteral("printers")] = printers;
  if (code != kExitDelivered) {
    return code;
  }
  ReportFile report;
  return o.json.isEmpty() || writeReport(o, json, report, io) ? kExitDelivered : kExitSomeFailed;
}

int runState(const Options& o, const std::vector<Target>& targets, const Streams& io) {
  const Streams human{o.json == u"-" ? io.err : io.out, io.err};
  int code = kExitDelivered;
  const std::unique_ptr<Q6::PrinterRecord> record = openForReading(o, human, io, &code);
  QJsonObject json{{QStringLiteral("record"), recordPath(o)}};
  QJsonArray printers;
  if (record) {
    QStringList names;
    for (const Target& t : targets) {
      names << Q6::recordPrinterName(t.settings);
    }
    const Q6::Result<std::vector<Q6::PrinterState>> states = record->states(names);
    if (!states || states->size() != targets.size()) {
      io.error(
          QStringLiteral("the record at %1 cannot be read: %2")
              .arg(displayText(record->path()),
                   states ? QStringLiteral("it answered for other printers") : states.error()));
      return kExitSomeFailed;
    }
    for (size_t i = 0; i < targets.size(); ++i) {
      // The model the printer was last set up as decides which settings it has.
      QString model;
      const Q6::Result<std::vector<Q6::RecordEntry>> recent =
          record->history(names[static_cast<qsizetype>(i)], kModelLookBack);
      for (const Q6::RecordEntry& e : recent ? *recent : std::vector<Q6::RecordEntry>{}) {
        if (!e.model.isEmpty()) {
          model = e.model;
          break;
        }
      }
      const std::optional<int> modelIndex = Q6::modelFromName(model);
      human.line(printerHeading(targets[i], names[static_cast<qsizetype>(i)]) +
                     (model.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(model)),
                 false);
      QJsonArray settings;
      for (const Q6::SettingRow& row : Q6::settingsTable()) {
        if (modelIndex && !Q6::settingAvailable(row, *modelIndex)) {
          continue;
        }
        const QString name = QLatin1String(row.name);
        const Q6::SettingState s = (*states)[i].of(name);
        const QString value = recordedText(s);
        QString line = QStringLiteral("  %1  %2").arg(name, -20).arg(displayText(value));
        if (s.entry != 0) {
          line += QStringLiteral("  since %1 by %2").arg(timeText(s.since), displayText(s.by));
        }
        human.line(line, false);
        settings.append(QJsonObject{{QStringLiteral("setting"), name},
                                    {QStringLiteral("value"), value},
                                    {QStringLiteral("entry"), s.entry},
                                    {QStringLiteral("since"), timeText(s.since)},
                                    {QStringLiteral("by"), s.by}});
      }
      printers.append(QJsonObject{{QStringLiteral("target"), targets[i].text},
                                  {QStringLiteral("printer"), names[static_cast<qsizetype>(i)]},
                                  {QStringLiteral("model"), model},
                                  {QStringLiteral("settings"), settings}});
    }
  }
  std::fflush(human.out);
  json[QStringLiteral("printers")] = printers;
  if (code != kExitDelivered) {
    return code;
  }
  ReportFile report;
  return o.json.isEmpty() || writeReport(o, json, report, io) ? kExitDelivered : kExitSomeFailed;
}

}  // namespace Q6Cli
