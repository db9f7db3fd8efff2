#pragma once

#include "core/link/commands.h"

namespace Q6 {

// The single-command hardware tests. Identical bytes for both models.
enum class TestCommand {
  LineFeed,        // butLineFeed
  FormFeed,        // butFormFeed
  Feed5cm,         // butfeedlength
  FullCut,         // butFullCut
  PartialCut,      // Command3
  FeedFullCut,     // Command8
  FeedPartialCut,  // Command9
  CashDrawer1,     // butCDrawer1
  CashDrawer2,     // butCDrawer2
  SelfTest,        // Command4
};

Command testCommand(TestCommand which);

// The character-set sheet (codes 20-FF): 258 sends in one exchange.
CommandList characterSetSheet();

// Three black-mark tickets, each heading, ticket line and "feed + full cut": 9 sends.
CommandList ticketTest();

}  // namespace Q6
