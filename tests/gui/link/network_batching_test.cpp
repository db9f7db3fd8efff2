// The network link collects the commands of an exchange and writes them together. These tests
// cross the point where a batch is written early and check that no byte is lost, doubled or
// reordered there, and that a printer that stops reading still ends in a time-out, not a hang.

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include "gui/link/link_exchange.h"
#include "gui/link/printer_link.h"
#include "support/test_support.h"

using Q6Test::hex;

namespace {

Orvanel::LinkSettings loopback(int port, int timeoutMs) {
  Orvanel::LinkSettings s;
  s.kind = Orvanel::ConnectionKind::Network;
  s.host = QStringLiteral("127.0.0.1");
  s.port = port;
  s.timeoutMs = timeoutMs;
  return s;
}

// size bytes counting up from first (wrapping after FF), so that a shifted or dropped byte shows.
QByteArray counting(int size, unsigned char first) {
  QByteArray bytes(size, '\0');
  for (int i = 0; i < size; ++i) {
    bytes[i] = static_cast<char>(static_cast<unsigned char>(first + i));
  }
  return bytes;
}

TEST(NetworkBatching, SendsOnBothSidesOfTheBatchLimitArriveInOrderAndComplete) {
  const struct {
    const char* name;
    std::vector<QByteArray> sends;
  } cases[] = {
      {"small sends only", {hex("1B 40"), hex("00"), hex("FF 80 0A")}},
      {"one send of exactly 64 KiB, then a small one", {counting(65536, 0x00), hex("1B 40")}},
      {"small sends that add up past 64 KiB",
       {counting(40000, 0x10), counting(30000, 0x20), hex("00"), counting(65535, 0x30),
        hex("0D 0A")}},
      {"one send far past 64 KiB", {counting(300000, 0xF0)}},
      {"nothing at all", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Q6Test::TcpSink sink;
    Orvanel::Quenlink link;
    link.setSettings(loopback(sink.port(), 2000));
    Q6Test::MessageCapture boxes;
    ASSERT_TRUE(Q6::runExchange(link, c.sends, nullptr));
    const QByteArray got = sink.received(1);
    EXPECT_EQ(got.size(), Q6Test::concat(c.sends).size());
    EXPECT_TRUE(got == Q6Test::concat(c.sends));  // not EXPECT_EQ: a mismatch would print megabytes
    EXPECT_TRUE(boxes.shown.empty());
  }
}

TEST(NetworkBatching, BytesAroundTheEarlyWriteKeepTheirPlace) {
  Q6Test::TcpSink sink;
  Orvanel::Quenlink link;
  link.setSettings(loopback(sink.port(), 2000));
  Q6Test::MessageCapture boxes;
  // 65535 blanks and then two bytes: the batch is written early after the first of them.
  ASSERT_TRUE(Q6::runExchange(link, {QByteArray(65535, ' '), hex("1B"), hex("40")}, nullptr));
  const QByteArray got = sink.received(1);
  ASSERT_EQ(got.size(), 65537);
  EXPECT_EQ(got.mid(65533), hex("20 20 1B 40"));
}

TEST(NetworkBatching, PrinterThatStopsReadingDuringSmallSendsGivesATimeOut) {
  Q6Test::TcpSink sink(Q6Test::TcpSink::Mode::AcceptNeverRead);
  Orvanel::Quenlink link;
  link.setSettings(loopback(sink.port(), 300));
  Q6Test::MessageCapture boxes;
  // 64 MiB in sends of 4 KiB each: far more than the socket buffers hold.
  const Q6::CommandList sends(16384, QByteArray(4096, '\x20'));
  QElapsedTimer timer;
  timer.start();
  EXPECT_FALSE(Q6::runExchange(link, sends, nullptr));
  EXPECT_LT(timer.elapsed(), 5000);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text,
            QStringLiteral("Could not send to the printer at 127.0.0.1 port %1: the printer "
                           "accepted no data within 300 ms")
                .arg(sink.port()));
  EXPECT_FALSE(link.isConnectionOpen());
}

}  // namespace
