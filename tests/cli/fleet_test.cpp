// A fleet run against 200 loopback printers, some of them faulty: every healthy one gets the bytes
// exactly once, every faulty one is reported with its reason, and the report lists them all.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "support/core_support.h"

namespace {

enum class Kind { Healthy, Refusing, Resetting, Stalling };

// Loopback printers served by one thread. Healthy ones read until the sender has finished and then
// end the connection; refusing ones are bound but never listen; resetting ones read the first bytes
// and abort the connection; stalling ones have a full queue of waiting connections, so a new one
// is never answered.
class LoopbackPrinters {
 public:
  explicit LoopbackPrinters(const std::vector<Kind>& kinds) : printers_(kinds.size()) {
    for (size_t i = 0; i < kinds.size(); ++i) {
      Printer& p = printers_[i];
      p.kind = kinds[i];
      p.listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
      sockaddr_in addr{};
      addr.sin_family = AF_INET;
      addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      ::bind(p.listenFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
      socklen_t len = sizeof addr;
      ::getsockname(p.listenFd, reinterpret_cast<sockaddr*>(&addr), &len);
      p.port = ntohs(addr.sin_port);
      if (p.kind == Kind::Refusing) {
        continue;
      }
      ::listen(p.listenFd, p.kind == Kind::Stalling ? 0 : 64);
      if (p.kind == Kind::Stalling) {
        // Fill the queue of waiting connections; nothing will ever accept them.
        for (int n = 0; n < 2; ++n) {
          const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
          ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
          p.fillers.push_back(fd);
        }
      }
    }
    thread_ = std::thread([this] { run(); });
  }

  ~LoopbackPrinters() {
    stop_ = true;
    thread_.join();
    for (Printer& p : printers_) {
      for (int fd : p.fillers) ::close(fd);
      for (auto& [fd, data] : p.open) ::close(fd);
      ::close(p.listenFd);
    }
  }

  int port(size_t i) const { return printers_[i].port; }
  // Bytes of every connection that the printer saw to its end, in order.
  std::vector<QByteArray> connections(size_t i) {
    std::lock_guard<std::mutex> lock(mutex_);
    return printers_[i].finished;
  }
  int accepted(size_t i) {
    std::lock_guard<std::mutex> lock(mutex_);
    return printers_[i].accepted;
  }

 private:
  struct Printer {
    Kind kind;
    int listenFd = -1;
    int port = 0;
    std::vector<int> fillers;
    std::map<int, QByteArray> open;  // accepted connection -> bytes so far
    std::vector<QByteArray> finished;
    int accepted = 0;
  };

  void run() {
    while (!stop_) {
      std::vector<pollfd> fds;
      std::vector<std::pair<size_t, int>> owner;  // printer, connection (-1: listener)
      for (size_t i = 0; i < printers_.size(); ++i) {
        Printer& p = printers_[i];
        if (p.kind == Kind::Healthy || p.kind == Kind::Resetting) {
          fds.push_back({p.listenFd, POLLIN, 0});
          owner.emplace_back(i, -1);
        }
        for (auto& [fd, data] : p.open) {
          fds.push_back({fd, POLLIN, 0});
          owner.emplace_back(i, fd);
        }
      }
      if (::poll(fds.data(), fds.size(), 20) <= 0) {
        continue;
      }
      for (size_t k = 0; k < fds.size(); ++k) {
        if (!fds[k].revents) {
          continue;
        }
        Printer& p = printers_[owner[k].first];
        std::lock_guard<std::mutex> lock(mutex_);
        if (owner[k].second < 0) {
          const int fd = ::accept4(p.listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
          if (fd >= 0) {
            p.open[fd];
            ++p.accepted;
          }
          continue;
        }
        const int fd = owner[k].second;
        char buffer[65536];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
          p.open[fd].append(buffer, n);
          if (p.kind == Kind::Resetting) {
            linger abort{1, 0};
            ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
            ::close(fd);
            p.open.erase(fd);
          }
        } else if (n == 0 || (n < 0 && errno != EAGAIN)) {
          p.finished.push_back(p.open[fd]);
          ::close(fd);
          p.open.erase(fd);
        }
      }
    }
  }

  std::vector<Printer> printers_;
  std::mutex mutex_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

TEST(Fleet, TwoHundredPrintersSomeFaulty) {
  std::vector<Kind> kinds;
  for (int i = 0; i < 200; ++i) {
    kinds.push_back(i % 20 == 3    ? Kind::Refusing
                    : i % 20 == 9  ? Kind::Resetting
                    : i % 20 == 15 ? Kind::Stalling
                                   : Kind::Healthy);
  }
  LoopbackPrinters printers(kinds);
  QTemporaryDir dir;
  QFile list(dir.filePath("targets.txt"));
  ASSERT_TRUE(list.open(QIODevice::WriteOnly));
  list.write("# the shop printers\n\n");
  for (size_t i = 0; i < kinds.size(); ++i) {
    list.write(QStringLiteral("tcp://127.0.0.1:%1\n").arg(printers.port(i)).toLatin1());
  }
  list.close();

  QProcess cli;
  cli.start(Q6CONFIG_CLI_PATH, {"apply", "--model", "QLX500", "--set", "form-feed=partial-cut",
                                "--targets", list.fileName(), "--jobs", "32", "--timeout", "1500",
                                "--json", dir.filePath("report.json")});
  ASSERT_TRUE(cli.waitForFinished(120000));
  const QString out = QString::fromLocal8Bit(cli.readAllStandardOutput());
  EXPECT_EQ(cli.exitCode(), 1) << cli.readAllStandardError().toStdString();

  // comFF "Partial Cut", then the write command.
  const QByteArray expected = Q6Test::hex(
      "1B 1D 23 2D 30 30 30 30 38 0A 00 1B 1D 23 2B 30 30 30 30 34 0A 00 " Q6TEST_WRITE_FRAME_HEX);

  QFile reportFile(dir.filePath("report.json"));
  ASSERT_TRUE(reportFile.open(QIODevice::ReadOnly));
  const QJsonObject report = QJsonDocument::fromJson(reportFile.readAll()).object();
  const QJsonArray entries = report["targets"].toArray();
  ASSERT_EQ(entries.size(), 200);
  int healthy = 0;
  for (size_t i = 0; i < kinds.size(); ++i) {
    const QString target = QStringLiteral("tcp://127.0.0.1:%1").arg(printers.port(i));
    const QJsonObject entry = entries[static_cast<int>(i)].toObject();
    EXPECT_EQ(entry["target"].toString(), target);
    const QString error = entry["error"].toString();
    switch (kinds[i]) {
      case Kind::Healthy:
        ++healthy;
        EXPECT_EQ(entry["status"].toString(), "ok") << target.toStdString() << error.toStdString();
        EXPECT_EQ(entry["bytes"].toInt(), expected.size());
        EXPECT_EQ(printers.connections(i), std::vector<QByteArray>{expected})
            << target.toStdString();
        EXPECT_TRUE(
            out.contains(QStringLiteral("ok %1  %2 bytes").arg(target).arg(expected.size())));
        break;
      case Kind::Refusing:
        EXPECT_EQ(entry["status"].toString(), "failed");
        EXPECT_TRUE(error.contains("refused", Qt::CaseInsensitive)) << error.toStdString();
        break;
      case Kind::Stalling:
        EXPECT_EQ(entry["status"].toString(), "failed");
        EXPECT_TRUE(error.contains("no answer within 1500 ms")) << error.toStdString();
        break;
      case Kind::Resetting:
        EXPECT_EQ(entry["status"].toString(), "failed") << target.toStdString();
        EXPECT_EQ(printers.accepted(i), 1);
        EXPECT_TRUE(error.contains("reset")) << error.toStdString();
        break;
    }
    if (kinds[i] != Kind::Healthy) {
      EXPECT_TRUE(out.contains(QStringLiteral("FAILED %1: %2").arg(target, error)))
          << target.toStdString();
    }
  }
  EXPECT_EQ(report["delivered"].toInt(), healthy);
  EXPECT_EQ(report["failed"].toInt(), 200 - healthy);
}

}  // namespace

namespace {

// Child-process settings for a run: the open-file limit, and standard error on a terminal.
struct FleetEdgeRow {
  const char* name;
  int printers;
  QStringList args;  // besides the targets
  rlim_t fileLimit;  // 0: as the test runs
  bool onATerminal;  // standard error is a pseudo-terminal (the progress line is drawn)
  const char* said;  // in standard error
  int saidTimes;     // exactly; at least, on a terminal
  // With --json - among args: how the report's one note begins.
  const char* noted = nullptr;
};

void PrintTo(const FleetEdgeRow& r, std::ostream* os) {
  *os << r.name;
}

class FleetEdges : public ::testing::TestWithParam<FleetEdgeRow> {};

TEST_P(FleetEdges, EveryHealthyPrinterGetsItAndTheRunSaysSo) {
  const FleetEdgeRow& row = GetParam();
  // A listening socket a printer, and its connection, in this process.
  rlimit own{};
  ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &own), 0);
  if (own.rlim_cur < own.rlim_max) {
    own.rlim_cur = own.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &own);
  }
  std::vector<Kind> kinds(static_cast<size_t>(row.printers), Kind::Healthy);
  if (row.onATerminal) {
    kinds.push_back(Kind::Stalling);  // waited on, and named while waited on
  }
  LoopbackPrinters printers(kinds);
  QStringList args = row.args;
  args << "--to";
  for (size_t i = 0; i < kinds.size(); ++i) {
    args << QStringLiteral("tcp://127.0.0.1:%1").arg(printers.port(i));
  }
  int master = -1;
  int slave = -1;
  if (row.onATerminal) {
    ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
  }
  QProcess cli;
  cli.setChildProcessModifier([&] {
    if (row.fileLimit) {
      const rlimit limit{row.fileLimit, row.fileLimit};
      ::setrlimit(RLIMIT_NOFILE, &limit);
    }
    if (slave >= 0) {
      ::dup2(slave, 2);
    }
  });
  cli.start(Q6CONFIG_CLI_PATH, args);
  ASSERT_TRUE(cli.waitForFinished(60000));
  QByteArray err = cli.readAllStandardError();
  if (master >= 0) {
    ::close(slave);
    char buffer[65536];
    for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;) {
      err.append(buffer, n);
    }
    ::close(master);
  }
  EXPECT_EQ(cli.exitCode(), row.onATerminal ? 1 : 0) << err.toStdString();
  for (int i = 0; i < row.printers; ++i) {
    EXPECT_EQ(printers.connections(static_cast<size_t>(i)).size(), 1u) << i;
  }
  const QString said = QString::fromUtf8(row.said).replace(
      "{stalled}", QString::number(printers.port(kinds.size() - 1)));
  // The progress line is redrawn every quarter second, so it names the target more than once.
  const qsizetype times = QString::fromLocal8Bit(err).count(said);
  EXPECT_TRUE(row.onATerminal ? times >= row.saidTimes : times == row.saidTimes)
      << err.toStdString();
  if (row.noted) {
    const QByteArray out = cli.readAllStandardOutput();
    const QJsonArray notes = QJsonDocument::fromJson(out).object()["notes"].toArray();
    ASSERT_EQ(notes.size(), 1) << out.toStdString();
    EXPECT_TRUE(notes[0].toString().startsWith(row.noted)) << out.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, FleetEdges,
    ::testing::Values(
        // 200 jobs do not fit in 64 open files: the run lowers them, says so once and fails none.
        FleetEdgeRow{"JobsFitTheFileLimit",
                     100,
                     {"test", "self-test", "--jobs", "200", "--json", "-"},
                     64,
                     false,
                     "note: --jobs 200 lowered to ",
                     1,
                     "--jobs 200 lowered to "},
        FleetEdgeRow{"ProgressNamesTheTargetWaitedOnLongest",
                     3,
                     {"test", "self-test", "--jobs", "4", "--timeout", "1500"},
                     0,
                     true,
                     "on tcp://127.0.0.1:{stalled}",
                     1},
        // A worker a printer, each on a small stack.
        FleetEdgeRow{"AThousandJobs",
                     1000,
                     {"test", "self-test", "--jobs", "1000", "--timeout", "20000"},
                     0,
                     false,
                     "1000 of 1000 targets delivered, 0 failed.",
                     1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
