#pragma once

#include <QObject>
#include <QThread>

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

// Work beside the windows: what may wait on a printer, a print server or a name service runs on a
// thread of its own, so that the window keeps painting, and its result comes back to the window's
// thread through its event loop. Nothing a window owns is touched off that thread.
namespace Q6 {

// Runs `work` on a thread of its own and then `deliver` on receiver's thread. If receiver is gone
// by then, deliver is dropped. The thread deletes itself when done; the pointer returned (watch it
// with a QPointer) lets an owner wait for it before what work uses goes away.
QThread* startBeside(QObject* receiver, std::function<void()> work, std::function<void()> deliver);

// Runs `work` on a thread of its own while the calling thread waits in an event loop that takes no
// input: the windows keep painting, and nothing the operator does can start other work meanwhile.
// Returns once work is done, also when the program is told to quit during the wait.
void waitBeside(std::function<void()> work);

// startBeside with a value: work() runs on its own thread and deliver(result) on receiver's. Work
// owns what it uses (captured by value) and must not throw.
template <typename Work, typename Deliver>
QThread* runInBackground(QObject* receiver, Work work, Deliver deliver) {
  using Result = std::invoke_result_t<Work&>;
  auto result = std::make_shared<std::optional<Result>>();
  return startBeside(
      receiver, [result, work = std::move(work)]() mutable { result->emplace(work()); },
      [result, deliver = std::move(deliver)]() mutable { deliver(std::move(**result)); });
}

// waitBeside with a value: returns what work() returned.
template <typename Work>
std::invoke_result_t<Work&> runBeside(Work work) {
  std::optional<std::invoke_result_t<Work&>> result;
  waitBeside([&] { result.emplace(work()); });
  return std::move(*result);
}

}  // namespace Q6
