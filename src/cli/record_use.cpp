#include "cli/record_use.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdio>
#include <optional>
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

// Writes a JSON document to standard output or to the --json file (replaced whole).
int writeJson(const Options& o, const QJsonObject& json, const Streams& io) {
  const QByteArray text = QJsonDocument(json).toJson(QJsonDocument::Indented);
  if (o.json == u"-") {
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), io.out);
    std::fflush(io.out);
    return kExitDelivered;
  }
  ReportFile report;
  QString error;
  if (!report.open(o.json, &error) || !report.commit(text, &error)) {
    io.error(error);
    return kExitSomeFailed;
  }
  return kExitDelivered;
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
  auto opened = Q6::PrinterRecord::open(path, Q6::RecordAccess::Read);
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

RunRecord::~RunRecord() {
  finish();
}

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
  queued_.clear();
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
  auto opened = Q6::PrinterRecord::open(
      path_, createIfMissing ? Q6::RecordAccess::Write : Q6::RecordAccess::Read);
  if (!opened) {
    fail(opened.refusal().why());
    return;
  }
  record_ = std::move(*opened);
}

std::optional<std::vector<Q6::PrinterState>> RunRecord::states(const QStringList& printers) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!record_) {
    return std::nullopt;
  }
  auto states = record_->states(printers);
  if (!states) {
    fail(states.refusal().why());
    return std::nullopt;
  }
  return std::move(*states);
}

std::optional<std::vector<qint64>> RunRecord::begin(const std::vector<Q6::RecordEntry>& entries) {
  std::unique_lock<std::mutex> lock(mutex_);
  Q6::PrinterRecord* record = record_.get();
  if (!record) {
    return std::nullopt;
  }
  // Only the writer, or a caller while there is none, is at the record: it stays while unlocked.
  lock.unlock();
  auto ids = record->begin(entries);
  lock.lock();
  if (!ids || ids->size() != entries.size()) {
    fail(ids ? QStringLiteral("it gave %1 entries for %2").arg(ids->size()).arg(entries.size())
             : ids.refusal().why());
    return std::nullopt;
  }
  return std::move(*ids);
}

bool RunRecord::startWriter() {
  if (writer_.joinable()) {
    return true;
  }
  try {
    writer_ = std::thread([this] { writerLoop(); });
    return true;
  } catch (const std::system_error&) {
    return false;  // no thread to be had: the callers write themselves
  }
}

bool RunRecord::aheadLeft() const {
  return ahead_ && ahead_->next < ahead_->entries.size();
}

void RunRecord::beginStretch(std::unique_lock<std::mutex>& lock) {
  Ahead& a = *ahead_;
  if (a.stop->load() != 0) {
    // Stopped: what is left is never started, and has no entry.
    a.next = a.entries.size();
    a.gate->cancel();
    return;
  }
  const size_t first = a.next;
  const size_t end = std::min(a.entries.size(), first + a.stretch);
  const std::vector<Q6::RecordEntry> part(a.entries.begin() + static_cast<qsizetype>(first),
                                          a.entries.begin() + static_cast<qsizetype>(end));
  writing_ = true;
  lock.unlock();
  const std::optional<std::vector<qint64>> begun = begin(part);
  lock.lock();
  writing_ = false;
  if (begun) {
    std::copy(begun->begin(), begun->end(), a.ids->begin() + static_cast<qsizetype>(first));
  }
  a.gate->release(static_cast<int>(end));
  a.next = end;
  a.stretch = std::min(a.stretch * 2, kLongestStretch);
}

void RunRecord::writeQueued(std::unique_lock<std::mutex>& lock) {
  std::vector<Q6::PrinterRecord::Completion> batch;
  batch.swap(queued_);
  flushAsked_ = false;
  Q6::PrinterRecord* record = record_.get();
  if (!record || batch.empty()) {
    return;
  }
  writing_ = true;
  lock.unlock();
  const auto done = record->complete(batch);
  lock.lock();
  writing_ = false;
  if (!done) {
    fail(done.refusal().why());
  }
}

void RunRecord::writerLoop() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] {
      return aheadLeft() || finishing_ ||
             (!queued_.empty() && (flushAsked_ || queued_.size() >= kCompletionBatch));
    });
    // Targets wait for their entries; completions only wait to be written.
    if (aheadLeft()) {
      beginStretch(lock);
    } else if (!queued_.empty()) {
      writeQueued(lock);
    } else if (finishing_) {
      break;
    }
    idle_.notify_all();
  }
  idle_.notify_all();
}

void RunRecord::beginAhead(std::vector<Q6::RecordEntry> entries, std::vector<qint64>& ids,
                           std::shared_ptr<ReleaseGate> gate, const std::atomic<int>& stop) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (record_) {
    record_->stopWaitingWhen(&stop);
  }
  ahead_ = Ahead{std::move(entries), &ids, std::move(gate), &stop, 0, kFirstStretch};
  if (startWriter()) {
    wake_.notify_all();
    return;
  }
  while (aheadLeft()) {
    beginStretch(lock);  // all of them now, before the first target
  }
}

void RunRecord::waitAhead() {
  std::unique_lock<std::mutex> lock(mutex_);
  idle_.wait(lock, [this] { return !aheadLeft() && !writing_; });
}

void RunRecord::complete(const Q6::PrinterRecord::Completion& completion) {
  if (completion.id == 0) {
    return;
  }
  std::unique_lock<std::mutex> lock(mutex_);
  if (!record_) {
    return;
  }
  queued_.push_back(completion);
  if (queued_.size() < kCompletionBatch) {
    return;
  }
  if (writer_.joinable()) {
    wake_.notify_all();
  } else {
    writeQueued(lock);
  }
}

void RunRecord::flush() {
  std::unique_lock<std::mutex> lock(mutex_);
  flushAsked_ = true;
  if (writer_.joinable()) {
    wake_.notify_all();
  } else {
    writeQueued(lock);
  }
}

void RunRecord::finish() {
  std::unique_lock<std::mutex> lock(mutex_);
  finishing_ = true;
  if (!writer_.joinable()) {
    writeQueued(lock);
    return;
  }
  wake_.notify_all();
  lock.unlock();
  writer_.join();
  lock.lock();
  writeQueued(lock);  // anything queued after the writer's last look
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
    const auto entries = record->history(printer, o.limit);
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
  return o.json.isEmpty() ? kExitDelivered : writeJson(o, json, io);
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
    const auto states = record->states(names);
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
      const auto recent = record->history(names[static_cast<qsizetype>(i)], kModelLookBack);
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
  return o.json.isEmpty() ? kExitDelivered : writeJson(o, json, io);
}

}  // namespace Q6Cli
