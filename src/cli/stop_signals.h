#pragma once

#include <QByteArray>

#include <signal.h>

#include <atomic>

// SIGINT or SIGTERM during a run: the first stops it (see runFleet), a second ends the program at
// once, leaving no half-written report behind (an earlier one at the path stays as it was).
namespace Q6Cli {

// The signal received, 0 for none.
std::atomic<int>& stopSignal();

// The handlers for the length of a run; the ones before are back afterwards.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

 private:
  struct sigaction oldInt_ {};
  struct sigaction oldTerm_ {};
};

// A file a second signal removes before the program ends (a report's temporary file): a run may
// write several reports at once. False, and nothing kept, for a path too long for the handler's own
// copy or when every place is taken.
bool removeOnForcedStop(const QByteArray& path);
// The file is no longer the handler's to remove (it was renamed into place, or removed).
void keepOnForcedStop(const QByteArray& path);

}  // namespace Q6Cli
