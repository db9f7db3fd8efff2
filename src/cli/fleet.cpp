#include "cli/fleet.h"

#include <QElapsedTimer>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

#include <pthread.h>

#include "core/link/transport_link.h"
#include "core/printer/exchange.h"

namespace Q6Cli {

namespace {

// A worker's stack: an exchange needs little, and a thousand workers at the default 8 MiB each
// would reserve more address space than some machines allow.
constexpr size_t kWorkerStackBytes = 512 * 1024;

// The reporting loop is woken once this many targets have ended, or when none is being sent, or at
// its slice: not once a target, which on a fast network cost a thread switch for every printer.
constexpr size_t kWakeBatch = 32;

// A thread with a small stack (std::thread cannot set its size).
class Worker {
 public:
  explicit Worker(std::function<void()> body) {
    auto* owned = new std::function<void()>(std::move(body));
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, kWorkerStackBytes);
    started_ = pthread_create(&thread_, &attr, &Worker::entry, owned) == 0;
    pthread_attr_destroy(&attr);
    if (!started_) {
      delete owned;
    }
  }
  bool started() const { return started_; }
  void join() {
    if (started_) {
      pthread_join(thread_, nullptr);
    }
  }
  void detach() {
    if (started_) {
      pthread_detach(thread_);
    }
  }

 private:
  static void* entry(void* arg) {
    std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(arg));
    (*body)();
    return nullptr;
  }
  pthread_t thread_{};
  bool started_ = false;
};

// Everything the workers share. It lives as long as the last worker: a run that is stopped may
// return while an exchange is still running.
struct Shared {
  Shared(FleetTargets t, FleetCommands c, int workers)
      : targets(std::move(t)), commands(std::move(c)), serving(static_cast<size_t>(workers)) {
    results.resize(targets.size());
    clock.start();
  }
  const FleetTargets targets;
  const FleetCommands commands;
  std::function<QString(int)> beforeOpen;
  QElapsedTimer clock;
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<int> finished;
  std::vector<TargetResult> results;
  std::atomic<int> next{0};
  std::atomic<bool> stopped{false};
  int running = 0;
  struct Slot {
    int index = -1;  // the target this worker serves, or -1
    qint64 since = 0;
    std::atomic<qint64> bytes{0};
  };
  std::vector<Slot> serving;
  // Under the mutex: whether the reporting loop has something worth waking for.
  bool worthReporting() const {
    return finished.size() >= kWakeBatch || (!finished.empty() && running == 0);
  }
  void ended(int index) {
    finished.push_back(index);
    if (worthReporting()) {
      changed.notify_one();
    }
  }
};

}  // namespace

void ReleaseGate::release(int upTo) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    released_ = std::max(released_, upTo);
  }
  changed_.notify_all();
}

void ReleaseGate::refuse(int upTo, const QString& reason) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (upTo <= released_) {
      return;
    }
    refused_.push_back({released_, upTo, reason});
    released_ = upTo;
  }
  changed_.notify_all();
}

ReleaseGate::Turn ReleaseGate::waitFor(int index, QString* reason) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] { return cancelled_ || index < released_; });
  if (index >= released_) {
    return Turn::Cancelled;
  }
  for (const Refusal& r : refused_) {
    if (index >= r.from && index < r.upTo) {
      *reason = r.reason;
      return Turn::Refused;
    }
  }
  return Turn::Go;
}

void ReleaseGate::cancel() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    cancelled_ = true;
  }
  changed_.notify_all();
}

namespace {

TargetResult deliver(const Target& target, const Q6::CommandList& commands,
                     std::atomic<qint64>& bytes) {
  TargetResult result;
  result.target = target.text;
  QElapsedTimer timer;
  timer.start();
  Orvanel::TransportLink link(target.settings);
  Q6::CountedLink counted(link, bytes);
  const Q6::Result<> exchange = Q6::exchangeCommands(counted, commands);
  result.ms = timer.elapsed();
  result.opened = counted.opened();
  result.delivered = exchange.ok();
  result.outcome = result.delivered ? Outcome::Delivered : Outcome::Failed;
  result.bytes = bytes.load();
  result.error = exchange.error();
  if (!result.delivered && result.error.isEmpty()) {
    result.error = QStringLiteral("the link did not open");
  }
  return result;
}

void work(const std::shared_ptr<Shared>& shared, size_t slot, ReleaseGate* gate) {
  Shared& s = *shared;
  const int count = static_cast<int>(s.targets.size());
  Shared::Slot& mine = s.serving[slot];
  for (;;) {
    int i = 0;
    {
      std::unique_lock<std::mutex> lock(s.mutex);
      if (s.stopped) {
        return;
      }
      i = s.next++;
      if (i >= count) {
        return;
      }
      ReleaseGate::Turn turn = ReleaseGate::Turn::Go;
      QString refusal;
      if (gate) {
        lock.unlock();
        turn = gate->waitFor(i, &refusal);
        if (turn == ReleaseGate::Turn::Cancelled) {
          return;  // stopped before its turn
        }
        lock.lock();
        if (s.stopped) {
          return;
        }
      }
      if (turn == ReleaseGate::Turn::Go && s.beforeOpen) {
        // Taken without the run's lock: it may wait for another machine.
        lock.unlock();
        refusal = s.beforeOpen(i);
        lock.lock();
        turn = refusal.isEmpty() ? turn : ReleaseGate::Turn::Refused;
        if (s.stopped && refusal.isEmpty()) {
          return;
        }
      }
      if (turn == ReleaseGate::Turn::Refused) {
        TargetResult result;
        result.target = s.targets[static_cast<size_t>(i)].text;
        result.index = i;
        result.outcome = Outcome::Failed;
        result.error = refusal;
        s.results[static_cast<size_t>(i)] = std::move(result);
        s.ended(i);
        continue;
      }
      mine.index = i;
      mine.since = s.clock.elapsed();
      mine.bytes = 0;
      ++s.running;
    }
    TargetResult result = deliver(s.targets[static_cast<size_t>(i)],
                                  s.commands.of(static_cast<size_t>(i)), mine.bytes);
    result.index = i;
    std::lock_guard<std::mutex> lock(s.mutex);
    mine.index = -1;
    --s.running;
    s.results[static_cast<size_t>(i)] = std::move(result);
    s.ended(i);
  }
}

}  // namespace

FleetRun runFleet(std::vector<Target> targets, FleetCommands commands, const FleetOptions& options,
                  const std::function<void(const TargetResult*, const FleetStatus&)>& onFinished) {
  FleetTargets all{std::make_shared<const std::vector<Target>>(std::move(targets)), {}};
  all.which.resize(all.all->size());
  for (size_t i = 0; i < all.which.size(); ++i) {
    all.which[i] = static_cast<int>(i);
  }
  return runFleet(std::move(all), std::move(commands), options, onFinished);
}

FleetRun runFleet(FleetTargets targets, FleetCommands commands, const FleetOptions& options,
                  const std::function<void(const TargetResult*, const FleetStatus&)>& onFinished) {
  const int count = static_cast<int>(targets.size());
  const int workers = std::clamp(options.jobs, 1, std::max(count, 1));
  // The workers own the targets: a stopped run may return while an exchange still runs.
  auto shared = std::make_shared<Shared>(std::move(targets), std::move(commands), workers);
  shared->beforeOpen = options.beforeOpen;
  Shared& s = *shared;

  std::vector<Worker> threads;
  threads.reserve(static_cast<size_t>(workers));
  for (int w = 0; w < workers; ++w) {
    threads.emplace_back(
        [shared, w, gate = options.gate] { work(shared, static_cast<size_t>(w), gate.get()); });
    if (!threads.back().started()) {
      threads.pop_back();  // the system has no more threads for us: the others serve its share
      break;
    }
  }
  if (threads.empty()) {
    // Not even one thread: the targets are served here, one after another.
    work(shared, 0, options.gate.get());
  }

  const auto stopRequested = [&] { return options.stop && options.stop->load() != 0; };
  // Looks at the stop request this often, even between ticks.
  const int sliceMs = std::min(options.tickMs, 50);
  FleetStatus status;
  qint64 lastTick = 0;
  qint64 stopAt = -1;
  bool abandoned = false;
  while (status.done < count) {
    std::unique_lock<std::mutex> lock(s.mutex);
    s.changed.wait_for(lock, std::chrono::milliseconds(sliceMs),
                       [&] { return s.worthReporting(); });
    std::deque<int> batch;
    batch.swap(s.finished);
    const qint64 now = s.clock.elapsed();
    if (stopAt < 0 && stopRequested()) {
      s.stopped = true;  // no worker takes another target
      stopAt = now;
      if (options.gate) {
        options.gate->cancel();
      }
    }
    status.running = s.running;
    status.oldest = -1;
    status.oldestWaitMs = 0;
    for (const Shared::Slot& slot : s.serving) {
      if (slot.index >= 0 && (status.oldest < 0 || now - slot.since > status.oldestWaitMs)) {
        status.oldest = slot.index;
        status.oldestWaitMs = now - slot.since;
      }
    }
    const int running = s.running;
    lock.unlock();
    for (int i : batch) {
      ++status.done;
      if (onFinished) {
        onFinished(&s.results[static_cast<size_t>(i)], status);
      }
    }
    if (stopAt >= 0 && running == 0) {
      break;
    }
    if (stopAt >= 0 && now - stopAt >= options.stopGraceMs) {
      abandoned = true;
      break;
    }
    if (batch.empty() && now - lastTick >= options.tickMs) {
      lastTick = now;
      if (onFinished) {
        onFinished(nullptr, status);
      }
    }
  }

  FleetRun run;
  run.abandoned = abandoned;
  for (Worker& t : threads) {
    if (abandoned) {
      t.detach();
    } else {
      t.join();
    }
  }
  std::unique_lock<std::mutex> lock(s.mutex);
  // Workers left running past the grace still write their own result: they keep the original.
  if (abandoned) {
    run.results = s.results;
  } else {
    run.results = std::move(s.results);
  }
  for (const Shared::Slot& slot : s.serving) {
    if (slot.index >= 0) {
      TargetResult& r = run.results[static_cast<size_t>(slot.index)];
      r.outcome = Outcome::Interrupted;
      r.index = slot.index;
      r.opened = true;  // it may have opened: the safe side
      r.bytes = slot.bytes.load();
      r.ms = s.clock.elapsed() - slot.since;
    }
  }
  lock.unlock();
  for (size_t i = 0; i < run.results.size(); ++i) {
    TargetResult& r = run.results[i];
    if (r.target.isEmpty()) {
      r.index = static_cast<int>(i);
      r.target = s.targets[i].text;  // never finished: NotStarted, or Interrupted above
    }
  }
  return run;
}

}  // namespace Q6Cli
