#include "cli/stop_signals.h"

#include <unistd.h>

#include <climits>
#include <cstring>

namespace Q6Cli {

namespace {

// Copies the handler can read without allocating; the first byte of each is set last, so that a
// signal arriving meanwhile sees either no file or the whole name. One per report a run writes.
constexpr int kPlaces = 4;
char filesToRemove[kPlaces][PATH_MAX + 16] = {};

std::atomic<int> stopSignalSeen{0};

extern "C" void onStopSignal(int signo) {
  if (stopSignalSeen.exchange(signo) != 0) {
    for (const char* file : filesToRemove) {
      if (file[0] != 0) {
        ::unlink(file);
      }
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
  if (path.isEmpty() || path.size() >= static_cast<qsizetype>(sizeof filesToRemove[0])) {
    return false;
  }
  for (char* file : filesToRemove) {
    if (file[0] == 0) {
      std::memcpy(file + 1, path.constData() + 1, static_cast<size_t>(path.size()));
      std::atomic_signal_fence(std::memory_order_seq_cst);
      file[0] = path[0];
      return true;
    }
  }
  return false;
}

void keepOnForcedStop(const QByteArray& path) {
  for (char* file : filesToRemove) {
    if (!path.isEmpty() && file[0] != 0 && path == QByteArrayView(file)) {
      file[0] = 0;
      std::atomic_signal_fence(std::memory_order_seq_cst);
    }
  }
}

}  // namespace Q6Cli
