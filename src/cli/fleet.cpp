#include "cli/fleet.h"

#include <QElapsedTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "link/exchange.h"

namespace Q6Cli {

namespace {

// Counts what the link was handed, so a report can say how far a failed exchange got.
class CountingLink : public Orvanel::PrinterLink {
 public:
  explicit CountingLink(Orvanel::PrinterLink& inner) : inner_(inner) {}
  void OpenConnection() override { inner_.OpenConnection(); }
  void SendData(const QByteArray& data) override {
    inner_.SendData(data);
    bytes += data.size();
  }
  void CloseConnection() override { inner_.CloseConnection(); }
  qint64 bytes = 0;

 private:
  Orvanel::PrinterLink& inner_;
};

TargetResult deliver(const Target& target, const Q6::CommandList& commands) {
  TargetResult result;
  result.target = target.text;
  QElapsedTimer timer;
  timer.start();
  Q6::SettingsLink link(target.settings);
  CountingLink counting(link);
  const Q6::ExchangeResult exchange = Q6::exchangeCommands(counting, commands);
  result.ms = timer.elapsed();
  result.delivered = exchange.delivered;
  result.bytes = counting.bytes;
  result.error = exchange.error;
  if (!result.delivered && result.error.isEmpty()) {
    result.error = QStringLiteral("the link did not open");
  }
  return result;
}

}  // namespace

std::vector<TargetResult> runFleet(const std::vector<Target>& targets,
                                   const Q6::CommandList& commands, int jobs,
                                   const std::function<void(const TargetResult*, int)>& onFinished,
                                   int tickMs) {
  const int count = static_cast<int>(targets.size());
  std::vector<TargetResult> results(targets.size());
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<int> finished;
  std::atomic<int> next{0};

  const int workers = std::clamp(jobs, 1, std::max(count, 1));
  std::vector<std::thread> threads;
  threads.reserve(static_cast<size_t>(workers));
  for (int w = 0; w < workers; ++w) {
    threads.emplace_back([&] {
      for (int i = next++; i < count; i = next++) {
        TargetResult result = deliver(targets[static_cast<size_t>(i)], commands);
        std::lock_guard<std::mutex> lock(mutex);
        results[static_cast<size_t>(i)] = std::move(result);
        finished.push_back(i);
        changed.notify_one();
      }
    });
  }

  int done = 0;
  while (done < count) {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait_for(lock, std::chrono::milliseconds(tickMs), [&] { return !finished.empty(); });
    std::deque<int> batch;
    batch.swap(finished);
    lock.unlock();
    if (batch.empty()) {
      if (onFinished) {
        onFinished(nullptr, done);
      }
      continue;
    }
    for (int i : batch) {
      ++done;
      if (onFinished) {
        onFinished(&results[static_cast<size_t>(i)], done);
      }
    }
  }
  for (std::thread& t : threads) {
    t.join();
  }
  return results;
}

}  // namespace Q6Cli
