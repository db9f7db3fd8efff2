#pragma once

#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "cli/targets.h"
#include "core/printer/commands.h"

namespace Q6Cli {

enum class Outcome {
  Delivered,
  Failed,
  Interrupted,  // the run was stopped while this target was being served
  NotStarted,   // the run was stopped before this target's turn
  Unchanged,    // --changes-only: the record says the printer holds it all; nothing was sent
  WouldChange,  // --check: it would be sent
};

struct TargetResult {
  QString target;
  int index = -1;  // of the target in the run
  Outcome outcome = Outcome::NotStarted;
  bool delivered = false;
  bool opened = false;  // the link opened: the printer may hold part of a failed exchange
  qint64 bytes = 0;     // bytes handed over (all of them when delivered)
  qint64 ms = 0;        // from opening the link to closing it
  QString error;
};

// The state of the run whenever a target ends and every tick.
struct FleetStatus {
  int done = 0;
  int running = 0;
  int oldest = -1;          // the running target waited on longest (its index), or -1
  qint64 oldestWaitMs = 0;  // how long it has been served
};

// Lets targets start only once they are released, in the order of the run: the record's entries
// are begun, and on disk, a stretch ahead of the targets they are for, on a thread of their own.
class ReleaseGate {
 public:
  // Targets below `upTo` may start.
  void release(int upTo);
  // Targets below `upTo` not released yet have their turn, but are not to be sent: each ends
  // failed with `reason`, its link never opened.
  void refuse(int upTo, const QString& reason);
  enum class Turn { Go, Refused, Cancelled };
  // Waits until target `index` has its turn; Cancelled when the gate was cancelled first. *reason
  // is set for a refused target.
  Turn waitFor(int index, QString* reason);
  // Ends every wait (the run is being stopped): the targets not yet released never start.
  void cancel();

 private:
  struct Refusal {
    int from;
    int upTo;
    QString reason;
  };
  std::mutex mutex_;
  std::condition_variable changed_;
  int released_ = 0;
  std::vector<Refusal> refused_;  // stretches, in order
  bool cancelled_ = false;
};

struct FleetOptions {
  int jobs = 16;
  int tickMs = 250;
  // Non-zero (a signal number) once the run is to stop: no target is started after that, and the
  // running ones get stopGraceMs to finish before they are reported Interrupted.
  const std::atomic<int>* stop = nullptr;
  int stopGraceMs = 2000;
  // When set, each target waits to be released before it starts.
  std::shared_ptr<ReleaseGate> gate;
  // When set, called on the target's worker right before its link opens: a non-empty answer is why
  // it is not sent (another machine is setting the printer up), and the target fails unopened.
  std::function<QString(int index)> beforeOpen;
};

// What each target is sent: one of a few distinct lists, so that ten thousand targets share them
// instead of holding a copy each. listOf[i] picks the list of target i; when listOf is empty every
// target gets lists[0].
struct FleetCommands {
  std::vector<Q6::CommandList> lists;
  std::vector<int> listOf;
  const Q6::CommandList& of(size_t target) const {
    return lists[listOf.empty() ? 0 : static_cast<size_t>(listOf[target])];
  }
};

struct FleetRun {
  std::vector<TargetResult> results;  // in the order of the targets
  // Exchanges still running when the run was stopped and its grace was up: their threads are left
  // to end on their own, so the program must end without waiting for them (std::_Exit).
  bool abandoned = false;
};

// Sends each target its commands, each in its own exchange on its own worker thread, at
// most `jobs` at a time. A target that fails or stalls holds only its own worker, for at most its
// own time limit. onFinished runs on the calling thread as each target ends (in the order they
// end), and also every `tickMs` with nullptr so that a progress line can be redrawn.
// The targets a run serves: some of the run's targets, picked by index, shared with the workers
// instead of copied (a stopped run may return while an exchange still runs).
struct FleetTargets {
  std::shared_ptr<const std::vector<Target>> all;
  std::vector<int> which;  // indices into *all
  size_t size() const { return which.size(); }
  bool empty() const { return which.empty(); }
  const Target& operator[](size_t i) const { return (*all)[static_cast<size_t>(which[i])]; }
};

FleetRun runFleet(FleetTargets targets, FleetCommands commands, const FleetOptions& options,
                  const std::function<void(const TargetResult*, const FleetStatus&)>& onFinished);
// Every target given.
FleetRun runFleet(std::vector<Target> targets, FleetCommands commands, const FleetOptions& options,
                  const std::function<void(const TargetResult*, const FleetStatus&)>& onFinished);

}  // namespace Q6Cli
