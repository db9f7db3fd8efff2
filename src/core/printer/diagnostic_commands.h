#pragma once

#include "core/printer/commands.h"

namespace Q6 {

// The single-command hardware tests. Identical bytes for both models. Which button and which
// script name send each is in the test table (test_table.h).
enum class TestCommand {
  LineFeed,
  FormFeed,
  Feed5cm,
  FullCut,
  PartialCut,
  FeedFullCut,
  FeedPartialCut,
  CashDrawer1,
  CashDrawer2,
  SelfTest,
};

Command testCommand(TestCommand which);

// The character-set sheet (codes 20-FF): 258 sends in one exchange.
CommandList characterSetSheet();

// Three black-mark tickets, each heading, ticket line and "feed + full cut": 9 sends.
CommandList ticketTest();

}  // namespace Q6
