// The serial link through two pseudo-terminals joined by socat: the port as it is opened, what
// arrives, and a printer that holds flow control off or takes its bytes slowly.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QThread>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

#include "core/link/transport_link.h"
#include "core/printer/diagnostic_commands.h"
#include "core/printer/exchange.h"
#include "core/store/settings_store.h"
#include "support/core_support.h"
#include "support/link_fixtures.h"

using Q6Test::hex;

namespace {

class SerialLink : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString why = Q6Test::PtyPair::unavailableReason();
    if (!why.isEmpty()) {
      GTEST_SKIP() << why.toStdString();
    }
    ASSERT_TRUE(pair_.start()) << pair_.failure().toStdString();
    ASSERT_TRUE(pair_.openTestSide()) << pair_.failure().toStdString();
  }

  void useSerial(const QStringList& more) {
    QStringList lines = {"Connection=Serial", "SerialPort=" + pair_.printerSide()};
    config_.writeLink(lines + more);
    link_.setSettings(Orvanel::loadStoredLinkSettings(Orvanel::kLinkSettingsKey));
  }

  // Opens the printer's end a second time, before the link takes it (the link then locks it).
  int openProbe() {
    return ::open(pair_.printerSide().toLocal8Bit().constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
  }

  // Waits until flow control sent from the test's end has stopped the printer's end: probe bytes
  // are written through the second opening until one is refused. The XOFF passes through socat
  // in its own time, so a fixed pause would be too short on a loaded machine. The probes that got
  // through are read off the test's end, so they are not taken for the link's bytes.
  bool waitUntilHeld(int probe, int timeoutMs = 3000) {
    const QDeadlineTimer deadline(timeoutMs);
    int passed = 0;
    bool held = false;
    while (!held && !deadline.hasExpired()) {
      const char byte = 'P';
      if (::write(probe, &byte, 1) == 1) {
        ++passed;
        QThread::msleep(10);
      } else {
        held = errno == EAGAIN;
        if (!held) {
          break;
        }
      }
    }
    return held && pair_.read(passed, 3000).size() == passed;
  }

  Q6Test::TempConfig config_;
  Q6Test::PtyPair pair_;
  Orvanel::TransportLink link_;
};

struct FlowCase {
  const char* flow;
  const char* baud;
};

TEST_F(SerialLink, SheetArrivesUnchangedWithEveryFlowControl) {
  // The sheet, then NUL, CR LF, the XON/XOFF codes, DEL and the top of the 8-bit range: none of
  // them may be translated, eaten as flow control or dropped.
  Q6::CommandList commands = Q6::characterSetSheet();
  commands.push_back(Q6Test::kWriteFrame);
  commands.push_back(hex("00 0D 0A 11 13 7F 80 FF 00"));
  const QByteArray all = Q6Test::concat(commands);
  const FlowCase cases[] = {{"None", "9600"}, {"Software", "115200"}, {"Hardware", "19200"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flow);
    useSerial({QStringLiteral("FlowControl=") + c.flow, QStringLiteral("BaudRate=") + c.baud,
               "TimeoutMs=3000"});
    const Q6::Result<> sent = Q6::exchangeCommands(link_, commands);
    ASSERT_TRUE(sent.ok()) << sent.error().toStdString();
    const QByteArray received = pair_.read(static_cast<int>(all.size()));
    EXPECT_EQ(received, all);
    EXPECT_EQ(received.size(), 621 + 11 + 9);
    EXPECT_TRUE(
        received.contains(hex("1B 45 38 1B 46 20 80 20 81 20 82 20 83 20 84 20 85 20 86 20 87"
                              " 20 88 20 89 20 8A 20 8B 20 8C 20 8D 20 8E 20 8F 0D 0A")));
    EXPECT_TRUE(received.endsWith(Q6Test::kWriteFrame + hex("00 0D 0A 11 13 7F 80 FF 00")));
  }
}

// A pseudo-terminal always reports 8 data bits without parity, whatever was asked for, so only
// speed, stop bits and flow control can be seen at the other end.
struct ParameterCase {
  QStringList lines;
  speed_t speed;
  bool twoStops;
  bool rtsCts;
  bool xonXoff;
};

TEST_F(SerialLink, PortIsOpenedWithTheStoredParameters) {
  const ParameterCase cases[] = {
      {{"BaudRate=19200", "DataBits=7", "Parity=Even", "StopBits=2", "FlowControl=Software"},
       B19200,
       true,
       false,
       true},
      {{"BaudRate=2400", "DataBits=8", "Parity=Odd", "StopBits=1", "FlowControl=Hardware"},
       B2400,
       false,
       true,
       false},
      {{"BaudRate=115200", "DataBits=8", "Parity=None", "StopBits=1", "FlowControl=None"},
       B115200,
       false,
       false,
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines.join(' ').toStdString());
    useSerial(c.lines);
    link_.OpenConnection();
    // A second look at the same terminal while the link holds it (root may open it despite the
    // exclusive lock).
    const int fd =
        ::open(pair_.printerSide().toLocal8Bit().constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
      link_.CloseConnection();
      GTEST_SKIP() << "cannot look at the port while it is open (needs root)";
    }
    termios tio{};
    ASSERT_EQ(::tcgetattr(fd, &tio), 0);
    ::close(fd);
    EXPECT_EQ(::cfgetospeed(&tio), c.speed);
    EXPECT_EQ((tio.c_cflag & CSTOPB) != 0, c.twoStops);
    EXPECT_EQ((tio.c_cflag & CRTSCTS) != 0, c.rtsCts);
    EXPECT_EQ((tio.c_iflag & IXON) != 0, c.xonXoff);
    // Bytes go out as they are: no output processing.
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    link_.CloseConnection();
  }
}

TEST_F(SerialLink, PrinterHoldingFlowControlOffGivesNotReadyInsteadOfAHang) {
  useSerial({"FlowControl=Software", "BaudRate=9600", "TimeoutMs=400"});
  const int probe = openProbe();
  ASSERT_GE(probe, 0);
  link_.OpenConnection();
  ASSERT_TRUE(pair_.writeTestSide(hex("13")));  // the printer says XOFF and never XON
  const bool held = waitUntilHeld(probe);
  ::close(probe);
  ASSERT_TRUE(held) << "the XOFF did not stop the port";
  QElapsedTimer timer;
  timer.start();
  QString message;
  try {
    link_.SendData(Q6Test::concat(Q6::characterSetSheet()));
  } catch (const Orvanel::LinkError& error) {
    message = error.message();
  }
  EXPECT_LT(timer.elapsed(), 3000);
  EXPECT_TRUE(message.contains(QStringLiteral("not ready"))) << message.toStdString();
  EXPECT_TRUE(message.contains(pair_.printerSide())) << message.toStdString();
  link_.CloseConnection();
  // Bytes the printer did not take are dropped, not printed when it comes back.
  ASSERT_TRUE(pair_.writeTestSide(hex("11")));
  EXPECT_EQ(pair_.read(1, 500), QByteArray());
}

TEST_F(SerialLink, SlowPrinterThatKeepsTakingBytesIsNotCutOff) {
  // In all the printer needs longer than the time limit, but it never takes nothing for that
  // long: the test's end takes a chunk, pauses well below the limit, takes the next. The two ends
  // hold only some ten kilobytes between them, so most of the payload waits for the test.
  const int limitMs = 2000;
  useSerial({"FlowControl=None", "BaudRate=1200", QStringLiteral("TimeoutMs=%1").arg(limitMs)});
  QByteArray payload;
  for (int i = 0; i < 192 * 1024; ++i) {
    payload.append(static_cast<char>(i % 251));
  }
  const int chunk = 16 * 1024;
  const int pauseMs = 300;
  QByteArray received;
  link_.OpenConnection();
  std::thread reader([&] {
    while (received.size() < payload.size()) {
      QThread::msleep(pauseMs);
      const QByteArray got = pair_.read(
          static_cast<int>(std::min<qsizetype>(chunk, payload.size() - received.size())), 5000);
      if (got.isEmpty()) {
        break;
      }
      received += got;
    }
  });
  QElapsedTimer timer;
  timer.start();
  QString message;
  try {
    link_.SendData(payload);
    link_.CloseConnection();
  } catch (const Orvanel::LinkError& error) {
    message = error.message();
  }
  const qint64 elapsed = timer.elapsed();
  reader.join();
  EXPECT_TRUE(message.isEmpty()) << message.toStdString();
  EXPECT_EQ(received.size(), payload.size());
  EXPECT_TRUE(received == payload);
  // Otherwise the ends held everything at once and the test showed nothing.
  EXPECT_GT(elapsed, limitMs);
}

}  // namespace
