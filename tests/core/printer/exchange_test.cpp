// The exchange without a window: what it hands back instead of showing a box.
#include <gtest/gtest.h>

#include "core/printer/exchange.h"
#include "support/core_support.h"

namespace {

struct ExchangeRow {
  const char* name;
  bool failOnOpen;
  int failOnSend;  // 1-based, 0: never
  bool delivered;
  int sent;
  int closes;
  const char* errorPart;
};

void PrintTo(const ExchangeRow& r, std::ostream* os) {
  *os << r.name;
}

class Exchange : public ::testing::TestWithParam<ExchangeRow> {};

TEST_P(Exchange, StopsAtTheFirstErrorClosesWhatOpenedAndReturnsTheText) {
  const ExchangeRow& row = GetParam();
  Q6Test::RecordingLink link;
  link.failOnOpen = row.failOnOpen;
  link.failOnSend = row.failOnSend;
  const Q6::CommandList commands{Q6Test::hex("1B 40"), Q6Test::hex("0D 0A"), Q6Test::hex("0C")};
  const Q6::Result<> result = Q6::exchangeCommands(link, commands);
  EXPECT_EQ(result.ok(), row.delivered);
  EXPECT_EQ(static_cast<int>(link.sent.size()), row.sent);
  EXPECT_EQ(link.closes, row.closes);
  EXPECT_TRUE(result.error().contains(row.errorPart)) << result.error().toStdString();
  if (row.delivered) {
    EXPECT_EQ(link.sent, commands);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, Exchange,
    ::testing::Values(ExchangeRow{"Delivered", false, 0, true, 3, 1, ""},
                      ExchangeRow{"OpenFails", true, 0, false, 0, 0, "refused"},
                      ExchangeRow{"SecondSendFails", false, 2, false, 1, 1, "broken pipe"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
