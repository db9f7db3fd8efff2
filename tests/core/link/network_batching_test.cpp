// The network link collects the commands of an exchange and writes them together. These tests
// cross the point where a batch is written early and check that no byte is lost, doubled or
// reordered there. A printer that stops reading during small sends is a row of the delivery
// contract.

#include <gtest/gtest.h>

#include "core/link/transport_link.h"
#include "core/printer/exchange.h"
#include "support/core_support.h"

using Q6Test::hex;

namespace {

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
    Orvanel::TransportLink link(Q6Test::loopbackSettings(sink.port(), 2000));
    const Q6::Result<> sent = Q6::exchangeCommands(link, c.sends);
    ASSERT_TRUE(sent.ok()) << sent.error().toStdString();
    const QByteArray got = sink.received(1);
    EXPECT_EQ(got.size(), Q6Test::concat(c.sends).size());
    EXPECT_TRUE(got == Q6Test::concat(c.sends));  // not EXPECT_EQ: a mismatch would print megabytes
  }
}

TEST(NetworkBatching, BytesAroundTheEarlyWriteKeepTheirPlace) {
  Q6Test::TcpSink sink;
  Orvanel::TransportLink link(Q6Test::loopbackSettings(sink.port(), 2000));
  // 65535 blanks and then two bytes: the batch is written early after the first of them.
  ASSERT_TRUE(Q6::exchangeCommands(link, {QByteArray(65535, ' '), hex("1B"), hex("40")}).ok());
  const QByteArray got = sink.received(1);
  ASSERT_EQ(got.size(), 65537);
  EXPECT_EQ(got.mid(65533), hex("20 20 1B 40"));
}

}  // namespace
