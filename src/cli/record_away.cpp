#include "cli/record_away.h"

#include <mutex>

namespace Q6Cli {

namespace {

std::mutex mutex;
std::optional<RecordAway> noted;

}  // namespace

void noteRecordAway(const RecordAway& away) {
  const std::lock_guard<std::mutex> lock(mutex);
  if (!noted) {
    noted = away;
  }
}

void clearRecordAway() {
  const std::lock_guard<std::mutex> lock(mutex);
  noted.reset();
}

std::optional<RecordAway> recordAway() {
  const std::lock_guard<std::mutex> lock(mutex);
  return noted;
}

}  // namespace Q6Cli
