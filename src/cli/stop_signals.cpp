#include "cli/stop_signals.h"

#include <unistd.h>

#include <climits>
#include <cstring>

namespace Q6Cli {

namespace {

// A copy the handler can read without allocating; its first byte is set last, so that a signal
// arriving meanwhile sees either no file or the whole name.
char fileToRemove[PATH_MAX + 16] = {};

std::atomic<int> stopSignalSeen{0};

extern "C" void onStopSignal(int signo) {
  if (stopSignalSeen.exchange(signo) != 0) {
    if (fileToRemove[0] != 0) {
      ::unlink(fileToRemove);
    }
    ::_exit(128 + signo);
  }
}

}  // namespace

std::atomic<int>& stopSignal() {
  return stopSignalSeen;
}

StopSignals::StopSignals() {
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGINT, &action, &oldInt_);
  ::sigaction(SIGTERM, &action, &oldTerm_);
}

StopSignals::~StopSignals() {
  ::sigaction(SIGINT, &oldInt_, nullptr);
  ::sigaction(SIGTERM, &oldTerm_, nullptr);
}

bool removeOnForcedStop(const QByteArray& path) {
  fileToRemove[0] = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  if (path.isEmpty()) {
    return true;
  }
  if (path.size() >= static_cast<qsizetype>(sizeof fileToRemove)) {
    return false;
  }
  std::memcpy(fileToRemove + 1, path.constData() + 1, static_cast<size_t>(path.size()));
  std::atomic_signal_fence(std::memory_order_seq_cst);
  fileToRemove[0] = path[0];
  return true;
}

}  // namespace Q6Cli
