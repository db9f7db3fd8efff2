// One fleet run of q6config-cli against 200 loopback printers (--jobs 32) side by side with 200
// runs of the same program, one target each, one after the other. Each printer reads until the
// sender has finished and then ends the connection. Prints both times, the speed-up and the fleet
// run's peak memory, and a PASS/FAIL verdict against the goals (>= 20x, <= 40 MiB).
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

constexpr int kPrinters = 200;
constexpr double kSpeedupGoal = 20.0;
constexpr long kMemoryGoalKiB = 40 * 1024;

class Printers {
 public:
  Printers() {
    for (int i = 0; i < kPrinters; ++i) {
      const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
      sockaddr_in addr{};
      addr.sin_family = AF_INET;
      addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
      ::listen(fd, 64);
      socklen_t len = sizeof addr;
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
      listeners_.push_back(fd);
      ports_.push_back(ntohs(addr.sin_port));
    }
    received_.resize(kPrinters);
    thread_ = std::thread([this] { run(); });
  }
  ~Printers() {
    stop_ = true;
    thread_.join();
    for (int fd : listeners_) ::close(fd);
  }
  int port(int i) const { return ports_[static_cast<size_t>(i)]; }
  std::vector<std::string> received(int i) {
    std::lock_guard<std::mutex> lock(mutex_);
    return received_[static_cast<size_t>(i)];
  }

 private:
  void run() {
    std::map<int, std::pair<int, std::string>> open;  // fd -> printer, bytes
    while (!stop_) {
      std::vector<pollfd> fds;
      for (int fd : listeners_) fds.push_back({fd, POLLIN, 0});
      for (auto& [fd, state] : open) fds.push_back({fd, POLLIN, 0});
      if (::poll(fds.data(), fds.size(), 20) <= 0) continue;
      for (size_t k = 0; k < fds.size(); ++k) {
        if (!fds[k].revents) continue;
        if (k < listeners_.size()) {
          const int c = ::accept4(fds[k].fd, nullptr, nullptr, SOCK_NONBLOCK);
          if (c >= 0) open[c] = {static_cast<int>(k), {}};
          continue;
        }
        const int fd = fds[k].fd;
        char buffer[65536];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
          open[fd].second.append(buffer, static_cast<size_t>(n));
        } else if (n == 0 || errno != EAGAIN) {
          std::lock_guard<std::mutex> lock(mutex_);
          received_[static_cast<size_t>(open[fd].first)].push_back(open[fd].second);
          ::close(fd);  // the printer ends the connection once it has read everything
          open.erase(fd);
        }
      }
    }
    for (auto& [fd, state] : open) ::close(fd);
  }

  std::vector<int> listeners_;
  std::vector<int> ports_;
  std::vector<std::vector<std::string>> received_;
  std::mutex mutex_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

struct Outcome {
  int status = -1;
  long maxRssKiB = 0;
};

Outcome runQuietly(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  Outcome out;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) return out;
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  out.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  out.maxRssKiB = usage.ru_maxrss;
  return out;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string cli = argc > 1 ? argv[1] : Q6CONFIG_CLI_PATH;
  const std::string preset = argc > 2 ? argv[2] : Q6CONFIG_BENCH_PRESET;
  Printers printers;
  char dir[] = "/tmp/q6config-fleet-bench-XXXXXX";
  if (!::mkdtemp(dir)) return 2;
  const std::string targets = std::string(dir) + "/targets.txt";
  FILE* list = std::fopen(targets.c_str(), "w");
  for (int i = 0; i < kPrinters; ++i) std::fprintf(list, "tcp://127.0.0.1:%d\n", printers.port(i));
  std::fclose(list);
  const std::vector<std::string> apply{cli, "apply", "--model", "QLX500", "--preset", preset};

  auto start = std::chrono::steady_clock::now();
  std::vector<std::string> fleet = apply;
  fleet.insert(fleet.end(), {"--targets", targets, "--jobs", "32"});
  const Outcome fleetRun = runQuietly(fleet);
  const double fleetSeconds = secondsSince(start);

  start = std::chrono::steady_clock::now();
  int sequentialFailures = 0;
  long sequentialRss = 0;
  for (int i = 0; i < kPrinters; ++i) {
    std::vector<std::string> one = apply;
    one.insert(one.end(), {"--to", "tcp://127.0.0.1:" + std::to_string(printers.port(i))});
    const Outcome o = runQuietly(one);
    sequentialFailures += o.status != 0;
    sequentialRss = std::max(sequentialRss, o.maxRssKiB);
  }
  const double sequentialSeconds = secondsSince(start);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));

  // Both runs must have delivered the same bytes to every printer, once each.
  int wrong = 0;
  const std::vector<std::string> first = printers.received(0);
  for (int i = 0; i < kPrinters; ++i) {
    const std::vector<std::string> got = printers.received(i);
    wrong += got.size() != 2 || got[0] != got[1] || got[0].empty() || got[0] != first[0];
  }
  ::unlink(targets.c_str());
  ::rmdir(dir);

  const double speedup = sequentialSeconds / fleetSeconds;
  std::printf("fleet run (1 process, --jobs 32): %8.3f s, exit %d, peak memory %.1f MiB\n",
              fleetSeconds, fleetRun.status, fleetRun.maxRssKiB / 1024.0);
  std::printf("200 sequential runs:              %8.3f s, %d failed, peak memory %.1f MiB each\n",
              sequentialSeconds, sequentialFailures, sequentialRss / 1024.0);
  std::printf(
      "speed-up %.1fx (goal >= %.0fx); bytes per printer %zu; printers with wrong bytes: %d\n",
      speedup, kSpeedupGoal, first.empty() ? 0 : first[0].size(), wrong);
  const bool pass = fleetRun.status == 0 && sequentialFailures == 0 && wrong == 0 &&
                    speedup >= kSpeedupGoal && fleetRun.maxRssKiB <= kMemoryGoalKiB;
  std::printf("%s\n", pass ? "PASS" : "FAIL");
  return pass ? 0 : 1;
}
