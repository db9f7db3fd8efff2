#include "cli/record_use.h"

#include <QFileInfo>

#include <algorithm>
#include <system_error>

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

}  // namespace Q6Cli
