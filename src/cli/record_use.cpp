#include "cli/record_use.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>
#include <system_error>

#include "cli/record_away.h"
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

}  // namespace

QString recordPath(const Options& o) {
  if (o.noRecord) {
    return {};
  }
  return o.record.isEmpty() ? Q6::defaultRecordPath() : o.record;
}

RunRecord::RunRecord(const Options& o, const Streams& io)
    : io_(io),
      path_(recordPath(o)),
      shown_(Q6::maskedRecordLocation(path_)),
      truthful_(o.changesOnly && !o.check),
      shared_(Q6::isServerRecordLocation(path_)),
      holder_(Q6::recordUser() + u'@' + Q6::recordHost()) {}

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
  // Not used any more, but kept until the run ends: a worker may be at it, taking its printer.
  retired_ = std::move(record_);
  queued_.clear();
  lettingGo_.clear();
  io_.error(
      truthful_
          ? QStringLiteral("warning: the record at %1 could not be updated: %2; nothing is sent "
                           "to a printer whose entry it cannot take")
                .arg(displayText(shown_), displayText(reason))
          : QStringLiteral("warning: the record at %1 could not be updated: %2; it is behind — "
                           "run with --force once it can be written")
                .arg(displayText(shown_), displayText(reason)));
}

bool RunRecord::truthful() const {
  return truthful_ && !path_.isEmpty();
}

void RunRecord::open(bool createIfMissing) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (path_.isEmpty() || record_ || !error_.isEmpty()) {
    return;
  }
  // A look creates nothing: a file that is not there has nothing to read. A server's record is
  // asked, and answers nothing when it has no record yet.
  if (!createIfMissing && !Q6::isServerRecordLocation(path_) && !QFileInfo::exists(path_)) {
    return;
  }
  clearRecordAway();
  auto opened = Q6::PrinterRecord::open(
      path_, createIfMissing ? Q6::RecordAccess::Write : Q6::RecordAccess::Read);
  if (!opened) {
    fail(opened.refusal().why());
    return;
  }
  record_ = std::move(*opened);
  // Said once, whenever the server goes away: at the open, or from the writer mid-run. It takes
  // no lock of this record's, which the caller that found it may hold.
  record_->whenAway([io = &io_, outbox = record_->outbox()](const Q6::RecordRefusal& why) {
    noteRecordAway(RecordAway{why.why(), outbox});
    io->error(QStringLiteral("warning: the shared record at %1 cannot be %2: %3; the entries "
                             "are kept in %4 and carried over by the next run that reaches it, or "
                             "by \"q6config-cli record sync\"")
                  .arg(displayText(why.location),
                       why.unreachable ? QStringLiteral("reached") : QStringLiteral("used"),
                       displayText(why.why()), displayText(outbox)));
  });
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
  std::vector<Q6::RecordEntry> part;
  part.reserve(end - first);
  for (size_t k = first; k < end; ++k) {
    part.push_back(a.entries.at(k));
  }
  writing_ = true;
  lock.unlock();
  const std::optional<std::vector<qint64>> begun = begin(part);
  lock.lock();
  writing_ = false;
  if (begun) {
    std::copy(begun->begin(), begun->end(), a.ids->begin() + static_cast<qsizetype>(first));
    holdStretch(lock, first, end);
  }
  if (begun || !truthful_) {
    a.gate->release(static_cast<int>(end));
  } else {
    // A --changes-only run exists to leave the record true: a printer it cannot record is not
    // sent to, and keeps what the record says it holds.
    a.gate->refuse(static_cast<int>(end),
                   QStringLiteral("not sent: the record cannot be written: %1; run without "
                                  "--changes-only, or with --no-record, to send anyway")
                       .arg(error_));
  }
  a.next = end;
  a.stretch = std::min(a.stretch * 2, kLongestStretch);
}

void RunRecord::writeQueued(std::unique_lock<std::mutex>& lock) {
  std::vector<Q6::PrinterRecord::Completion> batch;
  batch.swap(queued_);
  std::vector<size_t> done;
  done.swap(lettingGo_);
  flushAsked_ = false;
  Q6::PrinterRecord* record = record_.get();
  if (!record || (batch.empty() && done.empty())) {
    return;
  }
  QStringList printers;
  for (size_t k : done) {
    if (ahead_ && k < ahead_->entries.size()) {
      printers << ahead_->entries.printers[static_cast<qsizetype>(k)];
    }
  }
  writing_ = true;
  lock.unlock();
  const auto completed = batch.empty() ? Q6::RecordResult<>() : record->complete(batch);
  // After the completions: the next machine to take a printer finds what it was sent.
  const auto letGo = printers.isEmpty() ? Q6::RecordResult<>() : record->release(printers);
  lock.lock();
  writing_ = false;
  if (!completed) {
    fail(completed.refusal().why());
  } else if (!letGo) {
    fail(letGo.refusal().why());
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

Q6::RecordEntry RunEntries::at(size_t k) const {
  Q6::RecordEntry entry = ofList[static_cast<size_t>(listOf[k])];
  entry.printer = printers[static_cast<qsizetype>(k)];
  return entry;
}

void RunRecord::beginAhead(RunEntries entries, std::vector<qint64>& ids,
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

}  // namespace Q6Cli
