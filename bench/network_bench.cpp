// How much each send costs on the network link: the character-set sheet goes to a receiver on
// 127.0.0.1 once as its 258 sends and once as the same bytes in one send, and, as the floor, once
// through a plain socket in one write (the receiver ends each connection once it has read
// everything; the run fails when the link takes more than 1.3 times the floor). The time of a run
// is everything after the connection is up: the sends and the close, which returns once every byte
// has been handed to the system on its way to the receiver. (Connecting costs the same both ways
// and would only hide the per-send cost; the whole exchange is printed as well.) The three ways
// take turns round by round (--rounds=N, default 21), so that outside load falls on all of them
// alike; each ratio is taken within a round and the median of those ratios is compared. The run
// fails when the 258 sends take 3 times as long as the single send or longer, or when any exchange
// failed or the receiver got other bytes than were sent.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "core/printer/diagnostic_commands.h"
#include "gui/link/printer_link.h"

namespace {

constexpr double kLimitRatio = 3.0;
constexpr double kRawLimitRatio = 1.3;

// Accepts one connection at a time on 127.0.0.1, reads it to the end with blocking reads (so that
// it answers the sender's close at once) and checks the bytes against the expected stream.
class Receiver {
 public:
  explicit Receiver(QByteArray expected) : expected_(std::move(expected)) {
    listenFd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (listenFd_ < 0 || ::pipe(stopPipe_) != 0) {
      std::perror("receiver");
      std::exit(2);
    }
    int one = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(listenFd_, 16) != 0 ||
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
      std::perror("receiver");
      std::exit(2);
    }
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] { run(); });
  }

  ~Receiver() {
    const char stop = 1;
    if (::write(stopPipe_[1], &stop, 1) != 1) {
      std::perror("receiver stop");
    }
    thread_.join();
    ::close(listenFd_);
    ::close(stopPipe_[0]);
    ::close(stopPipe_[1]);
  }

  int port() const { return port_; }
  int connections() const { return connections_.load(); }
  int wrongStreams() const { return wrong_.load(); }

 private:
  void run() {
    QByteArray got;
    got.reserve(expected_.size());
    char buffer[65536];
    for (;;) {
      pollfd p[2] = {{listenFd_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
      if (::poll(p, 2, -1) < 0 || (p[1].revents & POLLIN) != 0) {
        return;
      }
      const int fd = ::accept(listenFd_, nullptr, nullptr);
      if (fd < 0) {
        continue;
      }
      got.clear();
      ssize_t n;
      while ((n = ::read(fd, buffer, sizeof buffer)) > 0) {
        got.append(buffer, n);
      }
      ::close(fd);
      if (got != expected_) {
        ++wrong_;
      }
      ++connections_;
    }
  }

  QByteArray expected_;
  int listenFd_ = -1;
  int stopPipe_[2] = {-1, -1};
  int port_ = 0;
  std::atomic<int> connections_{0};
  std::atomic<int> wrong_{0};
  std::thread thread_;
};

Q6::CommandList gSheet;
QByteArray gWhole;
Receiver* gReceiver = nullptr;
std::atomic<int> gExchanges{0};  // exchanges that ended without an error

void sendSheet(benchmark::State& state, const Q6::CommandList& sends) {
  Orvanel::Quenlink link;
  Orvanel::LinkSettings settings;
  settings.kind = Orvanel::ConnectionKind::Network;
  settings.host = QStringLiteral("127.0.0.1");
  settings.port = gReceiver->port();
  link.setSettings(settings);
  std::vector<double> exchangeMicroseconds;
  exchangeMicroseconds.reserve(static_cast<std::size_t>(state.max_iterations));
  for (auto _ : state) {
    try {
      const auto opening = std::chrono::steady_clock::now();
      link.OpenConnection();
      const auto start = std::chrono::steady_clock::now();
      for (const QByteArray& data : sends) {
        link.SendData(data);
      }
      link.CloseConnection();
      const auto end = std::chrono::steady_clock::now();
      ++gExchanges;
      state.SetIterationTime(std::chrono::duration<double>(end - start).count());
      exchangeMicroseconds.push_back(
          std::chrono::duration<double, std::micro>(end - opening).count());
    } catch (const Orvanel::LinkError& error) {
      state.SkipWithError(error.what());
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * gWhole.size());
  state.counters["sends"] = static_cast<double>(sends.size());
  // The whole exchange as the operator waits for it, connecting included (for the record only).
  // The median, because a rare connect waits a whole second for a lost SYN to be sent again once
  // thousands of closed connections to the one port linger in TIME_WAIT.
  if (!exchangeMicroseconds.empty()) {
    auto middle = exchangeMicroseconds.begin() + exchangeMicroseconds.size() / 2;
    std::nth_element(exchangeMicroseconds.begin(), middle, exchangeMicroseconds.end());
    state.counters["exchange_us"] = *middle;
    state.counters["slowest_us"] =
        *std::max_element(exchangeMicroseconds.begin(), exchangeMicroseconds.end());
  }
}

void BM_SheetAs258Sends(benchmark::State& state) {
  sendSheet(state, gSheet);
}

void BM_SheetAsOneSend(benchmark::State& state) {
  sendSheet(state, Q6::CommandList{gWhole});
}

// The floor: a plain socket that writes the whole sheet in one write, half-closes and waits for the
// receiver to end the connection, which is what the link's close waits for too.
void BM_RawSocketOneWrite(benchmark::State& state) {
  for (auto _ : state) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(gReceiver->port()));
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
      state.SkipWithError("raw connect failed");
      break;
    }
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    const auto start = std::chrono::steady_clock::now();
    bool ok = ::send(fd, gWhole.constData(), static_cast<size_t>(gWhole.size()), MSG_NOSIGNAL) ==
                  gWhole.size() &&
              ::shutdown(fd, SHUT_WR) == 0;
    char buffer[256];
    ssize_t n = 0;
    while (ok && (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0) {
    }
    ok = ok && n == 0;
    ::close(fd);
    const auto end = std::chrono::steady_clock::now();
    if (!ok) {
      state.SkipWithError("raw exchange failed");
      break;
    }
    ++gExchanges;
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
}

// A fixed count of exchanges per turn: left to itself the library would size the count by the
// timed part alone and open tens of thousands of connections, and the closed ones linger in
// TIME_WAIT until connecting slows down by whole seconds.
constexpr int kExchanges = 200;
constexpr int kDefaultRounds = 21;
constexpr int kMaxRounds = 50;

enum Way { kManySends, kOneSend, kRawSocket, kWays };
const char* const kWayNames[kWays] = {"BM_SheetAs258Sends", "BM_SheetAsOneSend",
                                      "BM_RawSocketOneWrite"};
void (*const kWayFunctions[kWays])(benchmark::State&) = {BM_SheetAs258Sends, BM_SheetAsOneSend,
                                                         BM_RawSocketOneWrite};

// The ways take turns, round by round, each round in another order (A B C, B C A, C A B, ...), so
// that a change in the load from outside falls on all of them alike; each ratio is taken within a
// round, and the median of those ratios is the figure.
void registerRounds(int rounds) {
  for (int round = 0; round < rounds; ++round) {
    for (int k = 0; k < kWays; ++k) {
      const int way = (round + k) % kWays;
      benchmark::RegisterBenchmark(
          (std::string(kWayNames[way]) + "/round:" + std::to_string(round + 1)).c_str(),
          kWayFunctions[way])
          ->UseManualTime()
          ->Iterations(kExchanges)
          ->Unit(benchmark::kMicrosecond);
    }
  }
}

// Shows the usual table and keeps each way's time per round.
class RoundReporter : public benchmark::ConsoleReporter {
 public:
  explicit RoundReporter(int rounds)
      : microseconds(kWays, std::vector<double>(static_cast<size_t>(rounds), -1.0)),
        exchangeMicroseconds(microseconds) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const std::string name = run.run_name.function_name;
      if (run.error_occurred) {
        errors.push_back(name + ": " + run.error_message);
        continue;
      }
      const size_t slash = name.find("/round:");
      const auto way = std::find(std::begin(kWayNames), std::end(kWayNames), name.substr(0, slash));
      if (slash == std::string::npos || way == std::end(kWayNames)) {
        continue;
      }
      const auto w = static_cast<size_t>(way - std::begin(kWayNames));
      const auto round = static_cast<size_t>(std::stoi(name.substr(slash + 7)) - 1);
      if (round >= microseconds[w].size()) {
        continue;
      }
      microseconds[w][round] = run.GetAdjustedRealTime();
      const auto exchange = run.counters.find("exchange_us");
      if (exchange != run.counters.end()) {
        exchangeMicroseconds[w][round] = exchange->second.value;
      }
    }
  }
  std::vector<std::vector<double>> microseconds;          // [way][round]: sends and close
  std::vector<std::vector<double>> exchangeMicroseconds;  // [way][round]: connecting included
  std::vector<std::string> errors;
};

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// The ratio of two ways in each round where both ran, and the median of those.
struct Paired {
  double median = 0.0;
  double lowest = 0.0;
  double highest = 0.0;
  size_t rounds = 0;
};

Paired pairedRatio(const std::vector<double>& over, const std::vector<double>& under) {
  std::vector<double> ratios;
  for (size_t r = 0; r < over.size() && r < under.size(); ++r) {
    if (over[r] > 0.0 && under[r] > 0.0) {
      ratios.push_back(over[r] / under[r]);
    }
  }
  Paired p;
  p.rounds = ratios.size();
  if (!ratios.empty()) {
    p.median = median(ratios);
    p.lowest = *std::min_element(ratios.begin(), ratios.end());
    p.highest = *std::max_element(ratios.begin(), ratios.end());
  }
  return p;
}

double medianOfRounds(const std::vector<double>& values) {
  std::vector<double> ran;
  std::copy_if(values.begin(), values.end(), std::back_inserter(ran),
               [](double v) { return v > 0.0; });
  return ran.empty() ? 0.0 : median(ran);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  // --rounds=N is ours; everything else goes to the library.
  int rounds = kDefaultRounds;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--rounds=", 0) == 0) {
      rounds = std::atoi(arg.c_str() + 9);
      if (rounds < 1 || rounds > kMaxRounds) {
        std::fprintf(stderr, "--rounds takes 1 to %d\n", kMaxRounds);
        return 2;
      }
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  QApplication app(argc, argv);  // the link component is a widget
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 2;
  }

  gSheet = Q6::characterSetSheet();
  for (const QByteArray& data : gSheet) {
    gWhole += data;
  }
  Receiver receiver(gWhole);
  gReceiver = &receiver;

  registerRounds(rounds);
  RoundReporter reporter(rounds);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  // The receiver may still be reading the last connection.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (receiver.connections() < gExchanges.load() &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  const int wrong = receiver.wrongStreams();
  const int connections = receiver.connections();
  gReceiver = nullptr;

  const auto& us = reporter.microseconds;
  const auto& exchangeUs = reporter.exchangeMicroseconds;
  std::printf(
      "\nCharacter-set sheet, %d sends, %lld bytes, to 127.0.0.1; %d rounds of %d exchanges a "
      "way, the ways taking turns (medians; ratios paired by round, lowest-highest in brackets)\n",
      static_cast<int>(gSheet.size()), static_cast<long long>(gWhole.size()), rounds, kExchanges);
  bool ok = reporter.errors.empty() && wrong == 0;
  for (const std::string& error : reporter.errors) {
    std::printf("  error: %s\n", error.c_str());
  }
  if (wrong != 0 || connections != gExchanges.load()) {
    std::printf("  %d exchanges, %d connections received, %d of them with other bytes than sent\n",
                gExchanges.load(), connections, wrong);
    ok = false;
  }
  std::printf(
      "\nround   258 sends   one send   raw socket   258/one   258/raw   (sends and close, us)\n");
  for (int r = 0; r < rounds; ++r) {
    const auto at = [&](Way way) { return us[way][static_cast<size_t>(r)]; };
    std::printf("%5d  %10.1f  %9.1f  %11.1f  %8.2f  %8.2f\n", r + 1, at(kManySends), at(kOneSend),
                at(kRawSocket), at(kManySends) / at(kOneSend), at(kManySends) / at(kRawSocket));
  }
  const Paired sends = pairedRatio(us[kManySends], us[kOneSend]);
  const Paired raw = pairedRatio(us[kManySends], us[kRawSocket]);
  const Paired exchange = pairedRatio(exchangeUs[kManySends], exchangeUs[kOneSend]);
  if (sends.rounds == 0) {
    std::printf("  both link ways must run (no --benchmark_filter) to compare them\n");
    ok = false;
  } else {
    std::printf(
        "  sends and close:  258 sends %8.1f us, one send %8.1f us, ratio %5.2f (%.2f-%.2f, "
        "limit %.0f)\n",
        medianOfRounds(us[kManySends]), medianOfRounds(us[kOneSend]), sends.median, sends.lowest,
        sends.highest, kLimitRatio);
    if (exchange.rounds > 0) {
      std::printf(
          "  whole exchange:   258 sends %8.1f us, one send %8.1f us, ratio %5.2f (%.2f-%.2f)\n",
          medianOfRounds(exchangeUs[kManySends]), medianOfRounds(exchangeUs[kOneSend]),
          exchange.median, exchange.lowest, exchange.highest);
    }
    ok = ok && sends.median < kLimitRatio;
  }
  if (raw.rounds > 0) {
    std::printf(
        "  against a raw socket (one write, half-close, wait for the end): link %8.1f us, raw "
        "%8.1f us, ratio %5.2f (%.2f-%.2f, limit %.1f)\n",
        medianOfRounds(us[kManySends]), medianOfRounds(us[kRawSocket]), raw.median, raw.lowest,
        raw.highest, kRawLimitRatio);
    ok = ok && raw.median <= kRawLimitRatio;
  } else {
    std::printf("  the raw socket run is missing\n");
    ok = false;
  }
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}
