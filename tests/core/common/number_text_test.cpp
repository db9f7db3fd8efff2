#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/common/number_text.h"

namespace {

TEST(LeadingNumber, ReadsTheNumericPrefix) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"3.3", 3.3},    {"  12mm", 12.0}, {" 3.5mm", 3.5}, {"-.75mm", -0.75}, {"abc", 0.0},
      {"", 0.0},       {"-", 0.0},       {".", 0.0},      {"+2", 2.0},       {"2.5x", 2.5},
      {"5.", 5.0},     {".25", 0.25},    {"1e9", 1.0},    {"1e", 1.0},       {"3-4", 3.0},
      {" -20", -20.0}, {"1.2.3", 1.2},   {"0x10", 0.0},   {"OFF", 0.0},      {"\t7", 7.0},
      {"1e999", 1.0},  {"-2E5", -2.0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(Q6::leadingNumber(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(LeadingNumber, HundredsOfDigitsReadAsInfinity) {
  EXPECT_EQ(Q6::leadingNumber(std::string(400, '9')), HUGE_VAL);
  EXPECT_EQ(Q6::leadingNumber("-" + std::string(400, '9')), -HUGE_VAL);
}

TEST(WholeNumber, OnlyWhenNothingFollows) {
  EXPECT_TRUE(Q6::isWholeNumber("2.5"));
  EXPECT_TRUE(Q6::isWholeNumber("  -1"));
  EXPECT_FALSE(Q6::isWholeNumber("2x"));
  EXPECT_FALSE(Q6::isWholeNumber(""));
  EXPECT_FALSE(Q6::isWholeNumber("OFF"));
  EXPECT_FALSE(Q6::isWholeNumber("2 "));
  EXPECT_FALSE(Q6::isWholeNumber("2e0"));
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  const struct {
    double in;
    long long out;
  } cases[] = {{0.5, 0},
               {1.5, 2},
               {2.5, 2},
               {-0.5, 0},
               {-1.5, -2},
               {-2.5, -2},
               {2.4, 2},
               {2.6, 3},
               {-2.6, -3},
               {22.0, 22},
               {1e30, 9223372036854775807LL}};
  for (const auto& c : cases) {
    EXPECT_EQ(Q6::roundHalfEven(c.in), c.out) << c.in;
  }
}

TEST(HexUpper, UpperCaseLeftFilled) {
  EXPECT_EQ(Q6::hexUpper(0), "0");
  EXPECT_EQ(Q6::hexUpper(0xA8, 2), "A8");
  EXPECT_EQ(Q6::hexUpper(0x4, 2), "04");
  EXPECT_EQ(Q6::hexUpper(0x1F), "1F");
}

}  // namespace
