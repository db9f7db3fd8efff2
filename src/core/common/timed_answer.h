#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

// A blocking call that no time limit of its own covers (a name look-up: a dead name server holds
// it for the resolver's own time-out) runs on a thread of its own, and whoever waits for it stops
// waiting at a deadline. The thread is then abandoned: it finishes in the background and owns all
// it uses, so it touches nothing of the caller's, even when the program is ending.
namespace Q6 {

template <typename T>
class TimedAnswer {
 public:
  explicit TimedAnswer(std::function<T()> work) : state_(std::make_shared<State>()) {
    std::thread([state = state_, work = std::move(work)] {
      T answer = work();
      {
        const std::lock_guard lock(state->mutex);
        state->answer = std::move(answer);
      }
      state->done.notify_all();
    }).detach();
  }

  // The answer, or none when it did not come by the deadline.
  std::optional<T> by(std::chrono::steady_clock::time_point deadline) const {
    std::unique_lock lock(state_->mutex);
    state_->done.wait_until(lock, deadline, [this] { return state_->answer.has_value(); });
    return state_->answer;
  }

 private:
  struct State {
    std::mutex mutex;
    std::condition_variable done;
    std::optional<T> answer;
  };
  std::shared_ptr<State> state_;
};

// The deadline timeoutMs from now (a negative time limit is none).
inline std::chrono::steady_clock::time_point deadlineIn(int timeoutMs) {
  return std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
}

}  // namespace Q6
