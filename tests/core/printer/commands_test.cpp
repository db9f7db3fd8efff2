// The memory-switch frames, byte for byte as the printer's command reference writes them.
#include <gtest/gtest.h>

#include "core/printer/commands.h"
#include "support/core_support.h"

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
      {"write", Q6::writeCommand(), Q6Test::kWriteFrame},
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

}  // namespace
