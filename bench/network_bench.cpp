// How much each send costs on the network link: the character-set sheet goes to a receiver on
// 127.0.0.1 once as its 258 sends and once as the same bytes in one send, and, as the floor, once
// through a plain socket in one write (the receiver ends each connection once it has read
// everything; the run fails when the link takes more than 1.3 times the floor). The time of a run
// is everything after the connection is up: the sends and the close, which returns once every byte
// has been handed to the system on its way to the receiver. (Connecting costs the same both ways
// and would only hide the per-send cost; the whole exchange is printed as well.) Each way runs
// several repetitions; their medians are compared, and the run fails when the 258 sends take 3
// times as long as the single send or longer, or when any exchange failed or the receiver got
// other bytes than were sent.

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
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "link/printer_link.h"
#include "printer_tests/test_commands.h"

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

// A fixed count of exchanges: left to itself the library would size the count by the timed part
// alone and open tens of thousands of connections, and the closed ones linger in TIME_WAIT until
// connecting slows down by whole seconds.
constexpr int kExchanges = 200;
constexpr int kRepetitions = 5;
BENCHMARK(BM_SheetAs258Sends)
    ->UseManualTime()
    ->Iterations(kExchanges)
    ->Repetitions(kRepetitions)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SheetAsOneSend)
    ->UseManualTime()
    ->Iterations(kExchanges)
    ->Repetitions(kRepetitions)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RawSocketOneWrite)
    ->UseManualTime()
    ->Iterations(kExchanges)
    ->Repetitions(kRepetitions)
    ->Unit(benchmark::kMicrosecond);

// Shows the usual table and keeps the medians (or, with one repetition, the single run).
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const std::string name = run.run_name.function_name;
      if (run.error_occurred) {
        errors.push_back(name + ": " + run.error_message);
        continue;
      }
      if (run.run_type == Run::RT_Aggregate ? run.aggregate_name == "median"
                                            : run.repetitions <= 1) {
        microseconds[name] = run.GetAdjustedRealTime();
        const auto exchange = run.counters.find("exchange_us");
        if (exchange != run.counters.end()) {
          exchangeMicroseconds[name] = exchange->second.value;
        }
      }
    }
  }
  std::map<std::string, double> microseconds;          // sends and close
  std::map<std::string, double> exchangeMicroseconds;  // connecting included
  std::vector<std::string> errors;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
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

  MedianReporter reporter;
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

  std::printf("\nCharacter-set sheet, %d sends, %lld bytes, to 127.0.0.1 (medians)\n",
              static_cast<int>(gSheet.size()), static_cast<long long>(gWhole.size()));
  bool ok = reporter.errors.empty() && wrong == 0;
  for (const std::string& error : reporter.errors) {
    std::printf("  error: %s\n", error.c_str());
  }
  if (wrong != 0 || connections != gExchanges.load()) {
    std::printf("  %d exchanges, %d connections received, %d of them with other bytes than sent\n",
                gExchanges.load(), connections, wrong);
    ok = false;
  }
  const auto many = reporter.microseconds.find("BM_SheetAs258Sends");
  const auto one = reporter.microseconds.find("BM_SheetAsOneSend");
  if (many == reporter.microseconds.end() || one == reporter.microseconds.end() ||
      one->second <= 0.0) {
    std::printf("  both ways must run (no --benchmark_filter) to compare them\n");
    ok = false;
  } else {
    const double ratio = many->second / one->second;
    std::printf(
        "  sends and close:  258 sends %8.1f us, one send %8.1f us, ratio %5.2f (limit %.0f)\n",
        many->second, one->second, ratio, kLimitRatio);
    const double manyExchange = reporter.exchangeMicroseconds["BM_SheetAs258Sends"];
    const double oneExchange = reporter.exchangeMicroseconds["BM_SheetAsOneSend"];
    if (oneExchange > 0.0) {
      std::printf("  whole exchange:   258 sends %8.1f us, one send %8.1f us, ratio %5.2f\n",
                  manyExchange, oneExchange, manyExchange / oneExchange);
    }
    ok = ok && ratio < kLimitRatio;
  }
  const auto raw = reporter.microseconds.find("BM_RawSocketOneWrite");
  if (many != reporter.microseconds.end() && raw != reporter.microseconds.end() &&
      raw->second > 0.0) {
    const double ratio = many->second / raw->second;
    std::printf(
        "  against a raw socket (one write, half-close, wait for the end): link %8.1f us, raw "
        "%8.1f us, ratio %5.2f (limit %.1f)\n",
        many->second, raw->second, ratio, kRawLimitRatio);
    ok = ok && ratio <= kRawLimitRatio;
  } else {
    std::printf("  the raw socket run is missing\n");
    ok = false;
  }
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}
