#include <gtest/gtest.h>

#include "link/link_exchange.h"
#include "support/test_support.h"

using Q6Test::hex;

namespace {

struct FrameCase {
  const char* name;
  QByteArray actual;
  QByteArray expected;
};

TEST(MemorySwitchFrame, BytesMatchTheReferenceFrames) {
  const FrameCase cases[] = {
      {"set 1 0600", Q6::SetSwitchBits("1", "0600"), hex("1B 1D 23 2B 31 30 36 30 30 0A 00")},
      {"clear 1 0600", Q6::ClearSwitchBits("1", "0600"), hex("1B 1D 23 2D 31 30 36 30 30 0A 00")},
      {"clear 0 0008", Q6::ClearSwitchBits("0", "0008"), hex("1B 1D 23 2D 30 30 30 30 38 0A 00")},
      {"set F F800", Q6::SetSwitchBits("F", "F800"), hex("1B 1D 23 2B 46 46 38 30 30 0A 00")},
      {"write", Q6::writeCommand(), hex("1B 1D 23 57 30 30 30 30 30 0A 00")},
      {"reset", Q6::resetCommand(), hex("1B 1D 23 40 30 30 30 30 30 0A 00")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual, c.expected);
    ASSERT_EQ(c.actual.size(), 11);
    EXPECT_EQ(c.actual.at(10), '\0');  // the NUL is sent, not dropped
  }
}

TEST(MemorySwitchFrame, UsesSwitchAndMaskExactlyAsGiven) {
  // A count with two digits makes a longer mask; the builder neither trims nor pads it.
  EXPECT_EQ(Q6::SetSwitchBits("F", "10800"), hex("1B 1D 23 2B 46 31 30 38 30 30 0A 00"));
}

TEST(Exchange, WriteOnlyExchangeOpensAndClosesOnce) {
  Q6Test::RecordingLink link;
  Q6Test::MessageCapture boxes;
  EXPECT_TRUE(Q6::runExchange(link, {Q6::writeCommand()}, nullptr));
  EXPECT_EQ(link.calls, QStringList({"open", "send", "close"}));
  ASSERT_EQ(link.sent.size(), 1u);
  EXPECT_EQ(link.sent[0], hex("1B 1D 23 57 30 30 30 30 30 0A 00"));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST(Exchange, ErrorMidwayStopsClosesAndShowsOneMessage) {
  Q6Test::RecordingLink link;
  link.failOnSend = 3;
  Q6Test::MessageCapture boxes;
  const Q6::CommandList five = {hex("01"), hex("02"), hex("03"), hex("04"), hex("05")};
  EXPECT_FALSE(Q6::runExchange(link, five, nullptr));
  EXPECT_EQ(link.sent, (std::vector<QByteArray>{hex("01"), hex("02")}));
  EXPECT_EQ(link.calls, QStringList({"open", "send", "send", "send", "close"}));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Q6Config"));
  EXPECT_EQ(boxes.shown[0].icon, QMessageBox::Warning);
  EXPECT_TRUE(boxes.shown[0].text.contains("broken pipe"));
}

TEST(Exchange, FailedOpenSendsNothingAndClosesNothing) {
  Q6Test::RecordingLink link;
  link.failOnOpen = true;
  Q6Test::MessageCapture boxes;
  EXPECT_FALSE(Q6::runExchange(link, {Q6::writeCommand()}, nullptr));
  EXPECT_EQ(link.calls, QStringList({"open"}));
  EXPECT_TRUE(link.sent.empty());
  EXPECT_EQ(boxes.shown.size(), 1u);
}

}  // namespace
