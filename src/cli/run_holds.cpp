// A run's holds on the printers of a record shared by many machines: one machine at a time sets a
// printer up, from right before its link opens until its entry is completed.
#include <algorithm>

#include "cli/record_use.h"

namespace Q6Cli {

// Held with the entries, without waiting: a printer another machine has is waited for by its own
// worker, so that one busy printer holds up no other.
void RunRecord::holdStretch(std::unique_lock<std::mutex>& lock, size_t first, size_t end) {
  Q6::PrinterRecord* record = record_.get();
  if (!shared_ || !record) {
    return;
  }
  const Ahead& a = *ahead_;
  heldAhead_.resize(a.entries.size(), 0);
  const QStringList printers =
      a.entries.printers.mid(static_cast<qsizetype>(first), static_cast<qsizetype>(end - first));
  lock.unlock();
  const auto holds = record->hold(printers, holder_, 0);
  lock.lock();
  for (size_t k = 0; holds && k < holds->size() && first + k < end; ++k) {
    heldAhead_[first + k] = (*holds)[k].held ? 1 : 0;
  }
}

QString RunRecord::takePrinter(size_t index, int waitMs) {
  std::unique_lock<std::mutex> lock(mutex_);
  Q6::PrinterRecord* record = record_.get();
  if (!shared_ || !record || !ahead_ || index >= ahead_->entries.size() ||
      (index < heldAhead_.size() && heldAhead_[index])) {
    return {};
  }
  const QString printer = ahead_->entries.printers[static_cast<qsizetype>(index)];
  lock.unlock();
  // The record takes turns between callers; this one may wait for another machine.
  const auto holds = record->hold({printer}, holder_, waitMs);
  if (!holds || holds->empty()) {
    return {};  // the record's own fault is the writer's to report; the printer is sent as ever
  }
  return holds->front().busy();
}

void RunRecord::letGo(size_t index) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (shared_ && record_) {
    lettingGo_.push_back(index);
  }
}

}  // namespace Q6Cli
