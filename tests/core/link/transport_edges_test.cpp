// The edges of the file and network links that a fleet reaches: one exchange at a time on a file,
// pipe or device; a host whose first address never answers; a look-up that fails for want of files.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <thread>
#include <vector>

#include "core/link/file_transport.h"
#include "core/link/host_connect.h"
#include "core/link/link_error.h"
#include "core/link/network_transport.h"
#include "support/core_support.h"

namespace {

using Orvanel::LinkError;

// A listener on 127.0.0.1 or ::1: healthy (answers), black-holed (its queue of waiting connections
// is full, so a new one is never answered) or refusing (bound, not listening).
enum class Answer { Healthy, BlackHoled, Refusing };

class Listener {
 public:
  Listener(int family, Answer answer) {
    fd_ = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (family == AF_INET6) {
      auto& a = reinterpret_cast<sockaddr_in6&>(address_);
      a.sin6_family = AF_INET6;
      a.sin6_addr = in6addr_loopback;
    } else {
      auto& a = reinterpret_cast<sockaddr_in&>(address_);
      a.sin_family = AF_INET;
      a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    }
    socklen_t size = family == AF_INET6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in);
    ok_ = fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&address_), size) == 0 &&
          ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address_), &size) == 0;
    if (!ok_ || answer == Answer::Refusing) {
      return;
    }
    ::listen(fd_, answer == Answer::BlackHoled ? 0 : 8);
    for (int n = 0; answer == Answer::BlackHoled && n < 3; ++n) {
      const int filler = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK, 0);
      ::connect(filler, reinterpret_cast<sockaddr*>(&address_), size);
      fillers_.push_back(filler);
    }
  }
  ~Listener() {
    for (int fd : fillers_) ::close(fd);
    ::close(fd_);
  }
  bool ok() const { return ok_; }
  const sockaddr_storage& address() const { return address_; }
  int port() const { return ntohs(reinterpret_cast<const sockaddr_in&>(address_).sin_port); }

 private:
  int fd_ = -1;
  bool ok_ = false;
  sockaddr_storage address_{};
  std::vector<int> fillers_;
};

struct ConnectRow {
  const char* name;
  Answer v6;  // tried first
  Answer v4;
  int winner;           // AF_INET6 or AF_INET; 0: no connection
  const char* message;  // with "{p6}" and "{p4}" for the ports; nullptr when it connects
};

class HostAddresses : public ::testing::TestWithParam<ConnectRow> {};

TEST_P(HostAddresses, FirstToAnswerWinsAndAFailureNamesEachAddress) {
  const ConnectRow& row = GetParam();
  const Listener v6(AF_INET6, row.v6);
  if (!v6.ok()) {
    GTEST_SKIP() << "::1 cannot be bound here (no IPv6 loopback): " << std::strerror(errno);
  }
  const Listener v4(AF_INET, row.v4);
  ASSERT_TRUE(v4.ok());
  constexpr int kLimitMs = 1500;
  QString failure;
  QElapsedTimer timer;
  timer.start();
  const int fd = Orvanel::connectToFirst({v6.address(), v4.address()}, kLimitMs, &failure);
  const qint64 took = timer.elapsed();
  if (!row.winner) {
    EXPECT_EQ(fd, -1);
    EXPECT_EQ(failure, QString::fromLatin1(row.message));
    EXPECT_LE(took, kLimitMs + 300);
    return;
  }
  ASSERT_GE(fd, 0) << failure.toStdString();
  sockaddr_storage peer{};
  socklen_t size = sizeof peer;
  ASSERT_EQ(::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &size), 0);
  ::close(fd);
  EXPECT_EQ(peer.ss_family, row.winner);
  // The second address is tried a stagger after the first, not after the whole limit.
  EXPECT_LT(took, Orvanel::kConnectStaggerMs + 500);
}

INSTANTIATE_TEST_SUITE_P(
    Loopback, HostAddresses,
    ::testing::Values(
        ConnectRow{"V6BlackHoledV4Healthy", Answer::BlackHoled, Answer::Healthy, AF_INET, nullptr},
        ConnectRow{"V6HealthyV4BlackHoled", Answer::Healthy, Answer::BlackHoled, AF_INET6, nullptr},
        ConnectRow{"V6RefusingV4Healthy", Answer::Refusing, Answer::Healthy, AF_INET, nullptr},
        ConnectRow{"BothBlackHoled", Answer::BlackHoled, Answer::BlackHoled, 0,
                   "[::1]: no answer within 1500 ms; 127.0.0.1: no answer within 1500 ms"},
        ConnectRow{"V6RefusingV4BlackHoled", Answer::Refusing, Answer::BlackHoled, 0,
                   "[::1]: Connection refused; 127.0.0.1: no answer within 1500 ms"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HostAddresses, FamiliesTakeTurnsStartingWithTheFirst) {
  const auto address = [](int family, int n) {
    sockaddr_storage a{};
    a.ss_family = static_cast<sa_family_t>(family);
    reinterpret_cast<sockaddr_in&>(a).sin_port = htons(static_cast<uint16_t>(n));
    return a;
  };
  const std::vector<sockaddr_storage> order =
      Orvanel::interleaveFamilies({address(AF_INET6, 1), address(AF_INET6, 2), address(AF_INET6, 3),
                                   address(AF_INET, 4), address(AF_INET, 5)});
  std::vector<int> ports;
  for (const sockaddr_storage& a : order) {
    ports.push_back(ntohs(reinterpret_cast<const sockaddr_in&>(a).sin_port));
  }
  EXPECT_EQ(ports, (std::vector<int>{1, 4, 2, 5, 3}));
}

// Out of file descriptors, a host name's look-up fails; the message says why (the system's
// reason), not "System error".
TEST(HostAddresses, ALookUpWithoutFilesSaysWhy) {
#if defined(__SANITIZE_ADDRESS__)
  // The sanitizer's own runtime needs descriptors to check a pointer; with none left it reports
  // the objects it cannot check. The plain and ThreadSanitizer runs keep this row.
  GTEST_SKIP() << "AddressSanitizer/UBSan need free descriptors of their own";
#endif
  rlimit before{};
  ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &before), 0);
  std::vector<int> spent;
  for (int fd = ::dup(0); fd >= 0; fd = ::dup(0)) {
    spent.push_back(fd);  // every descriptor this process may have is in use
  }
  QString message;
  try {
    Orvanel::NetworkTransport link(QStringLiteral("localhost"), 9, 2000);
    link.open();
  } catch (const LinkError& e) {
    message = e.message();
  }
  for (int fd : spent) ::close(fd);
  EXPECT_TRUE(message.contains(QString::fromLocal8Bit(std::strerror(EMFILE))))
      << message.toStdString();
  EXPECT_FALSE(message.contains(QStringLiteral("System error"))) << message.toStdString();
}

// Two exchanges on one file, pipe or device never interleave: the second waits for the first
// within its time limit, or fails saying the printer is busy.
struct LockRow {
  const char* name;
  const char* second;  // how the second exchange spells the path
  bool firstEndsInTime;
};

class OneExchangeAtATime : public ::testing::TestWithParam<LockRow> {};

TEST_P(OneExchangeAtATime, TheSecondWaitsOrSaysTheFileIsBusy) {
  const LockRow& row = GetParam();
  QTemporaryDir dir;
  const QString path = dir.filePath("capture.prn");
  ASSERT_TRUE(QFile::link(path, dir.filePath("link.prn")));
  Orvanel::FileTransport first(path, 2000);
  first.open();
  first.write(Q6Test::hex("1B 3F 0A 00"));
  std::thread ender([&] {
    QThread::msleep(row.firstEndsInTime ? 200 : 900);
    first.write(Q6Test::kWriteFrame);
    first.close();
  });
  Orvanel::FileTransport second(dir.filePath(QString::fromLatin1(row.second)), 500);
  QString message;
  try {
    second.open();
    second.write(Q6Test::hex("0C"));
    second.close();
  } catch (const LinkError& e) {
    message = e.message();
  }
  ender.join();
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  if (row.firstEndsInTime) {
    EXPECT_EQ(message, QString());
    EXPECT_EQ(f.readAll(), Q6Test::hex("1B 3F 0A 00 " Q6TEST_WRITE_FRAME_HEX " 0C"));
  } else {
    EXPECT_EQ(message, QStringLiteral("The printer at %1 is busy: another exchange (the window "
                                      "program or another run of q6config-cli) has held it for "
                                      "500 ms.")
                           .arg(dir.filePath(QString::fromLatin1(row.second))));
    EXPECT_EQ(f.readAll(), Q6Test::hex("1B 3F 0A 00 " Q6TEST_WRITE_FRAME_HEX));
  }
}

INSTANTIATE_TEST_SUITE_P(Spellings, OneExchangeAtATime,
                         ::testing::Values(LockRow{"SamePathWaits", "capture.prn", true},
                                           LockRow{"ThroughDotWaits", "./capture.prn", true},
                                           LockRow{"ThroughALinkSaysBusy", "link.prn", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
