#include "cli/file_limit.h"

#include <dirent.h>
#include <sys/resource.h>

#include <algorithm>

#include "cli/options.h"
#include "core/link/host_connect.h"

namespace Q6Cli {

namespace {

int openFileCount() {
  int count = 0;
  if (DIR* dir = ::opendir("/proc/self/fd")) {
    while (const dirent* entry = ::readdir(dir)) {
      count += entry->d_name[0] != '.';
    }
    ::closedir(dir);
  }
  return count;
}

}  // namespace

int fitJobsToFileLimit(int jobs, int targets, const Streams& io, QStringList* notes) {
  rlimit limit{};
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) {
    return jobs;
  }
  if (limit.rlim_cur < limit.rlim_max) {
    rlimit raised = limit;
    raised.rlim_cur = limit.rlim_max;
    if (::setrlimit(RLIMIT_NOFILE, &raised) == 0) {
      limit = raised;
    }
  }
  if (limit.rlim_cur == RLIM_INFINITY) {
    return jobs;
  }
  // Each exchange holds its connection attempts and the name look-up's files at most.
  constexpr int kFilesPerJob = Orvanel::kMaxConnectAttempts + 2;
  const long long spare = static_cast<long long>(limit.rlim_cur) - openFileCount() - 16;
  const int fits = static_cast<int>(std::clamp<long long>(spare / kFilesPerJob, 1, kMaxJobs));
  const int wanted = std::min(jobs, targets);
  if (fits >= wanted) {
    return jobs;
  }
  io.note(QStringLiteral("--jobs %1 lowered to %2: this process may have only %3 files open at "
                         "once (ulimit -n), and each target being served can need %4.")
              .arg(jobs)
              .arg(fits)
              .arg(static_cast<long long>(limit.rlim_cur))
              .arg(kFilesPerJob),
          notes);
  return fits;
}

}  // namespace Q6Cli
