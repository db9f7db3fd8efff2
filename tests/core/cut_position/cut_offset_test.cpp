#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <locale>

#include "core/cut_position/cut_offset.h"

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(SnapCutOffset, RoundsToQuarterMillimetresHalfStepsToEven) {
  const struct {
    float in;
    float out;
  } cases[] = {
      {0.0f, 0.0f},      {0.1f, 0.0f},     {0.2f, 0.25f},    {0.125f, 0.0f},   {0.375f, 0.5f},
      {0.625f, 0.5f},    {0.875f, 1.0f},   {1.125f, 1.0f},   {3.3f, 3.25f},    {12.0f, 12.0f},
      {9.5f, 9.5f},      {10.1f, 10.0f},   {-0.8f, -0.75f},  {-0.375f, -0.5f}, {-0.625f, -0.5f},
      {-3.3f, -3.25f},   {-9.625f, -9.5f}, {-9.6f, -9.5f},   {31.5f, 31.5f},   {31.6f, 31.5f},
      {31.625f, 31.5f},  {31.7f, 31.75f},  {31.75f, 31.75f}, {-9.75f, -9.75f}, {-10.0f, -10.0f},
      {-9.875f, -10.0f}, {0.12f, 0.0f},    {0.13f, 0.25f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(Q6::snapCutOffset(c.in), c.out);
  }
}

TEST(SnapCutOffset, EndsAtTheNearestLimitHoweverFarOut) {
  // 8192 mm is 32768 steps, 16384 mm is 65536: a step count kept in 16 bits would wrap there.
  const struct {
    float in;
    float out;
  } cases[] = {
      {31.875f, 31.75f},   {32.0f, 31.75f},     {40.0f, 31.75f},
      {8191.75f, 31.75f},  {8192.0f, 31.75f},   {16384.0f, 31.75f},
      {65536.0f, 31.75f},  {1e9f, 31.75f},      {std::numeric_limits<float>::max(), 31.75f},
      {kInf, 31.75f},      {-10.125f, -10.0f},  {-10.25f, -10.0f},
      {-20.0f, -10.0f},    {-8191.75f, -10.0f}, {-8192.0f, -10.0f},
      {-16384.0f, -10.0f}, {-1e9f, -10.0f},     {std::numeric_limits<float>::lowest(), -10.0f},
      {-kInf, -10.0f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(Q6::snapCutOffset(c.in), c.out);
  }
}

TEST(SnapCutOffset, NotANumberAndNegativeZeroGiveAPlainZero) {
  for (float in : {std::numeric_limits<float>::quiet_NaN(), -0.0f, -0.1f, -0.125f}) {
    SCOPED_TRACE(in);
    const float out = Q6::snapCutOffset(in);
    EXPECT_EQ(out, 0.0f);
    EXPECT_FALSE(std::signbit(out));  // "-0mm" must never reach the text box
  }
}

TEST(CutOffsetText, WritesTheTextBoxForm) {
  const struct {
    float in;
    const char* text;
  } cases[] = {
      {0.0f, " 0mm"},       {-0.0f, " 0mm"},         {0.25f, " .25mm"},  {0.5f, " .5mm"},
      {0.75f, " .75mm"},    {1.0f, " 1mm"},          {3.5f, " 3.5mm"},   {9.5f, " 9.5mm"},
      {10.0f, " 10mm"},     {12.0f, " 12mm"},        {20.0f, " 20mm"},   {30.25f, " 30.25mm"},
      {31.75f, " 31.75mm"}, {-0.25f, "-.25mm"},      {-0.75f, "-.75mm"}, {-1.0f, "-1mm"},
      {-1.5f, "-1.5mm"},    {-9.75f, "-9.75mm"},     {-10.0f, "-10mm"},  {0.1f, " .1mm"},
      {100.0f, " 100mm"},   {1e9f, " 1000000000mm"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Q6::cutOffsetText(c.in), c.text);
  }
}

// A decimal comma in the program's locale must not leak into the text that "Use Settings" and
// the presets read back.
TEST(CutOffsetText, KeepsThePointUnderACommaLocale) {
  struct Comma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
  };
  const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new Comma));
  const std::string quarter = Q6::cutOffsetText(-0.25f);
  const std::string big = Q6::cutOffsetText(1250.5f);
  std::locale::global(previous);
  EXPECT_EQ(quarter, "-.25mm");
  EXPECT_EQ(big, " 1250.5mm");
}

TEST(CutOffset, TypedValuesShowAsTheOperatorExpects) {
  const struct {
    float typed;
    const char* text;
  } cases[] = {
      {3.3f, " 3.25mm"},   {12.0f, " 12mm"},         {0.0f, " 0mm"},     {-20.0f, "-10mm"},
      {40.0f, " 31.75mm"}, {31.5f, " 31.5mm"},       {31.6f, " 31.5mm"}, {31.7f, " 31.75mm"},
      {0.2f, " .25mm"},    {-0.8f, "-.75mm"},        {-0.1f, " 0mm"},    {8192.0f, " 31.75mm"},
      {-8192.0f, "-10mm"}, {30.6f - 20.5f, " 10mm"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Q6::cutOffsetText(Q6::snapCutOffset(c.typed)), c.text);
  }
}

}  // namespace
