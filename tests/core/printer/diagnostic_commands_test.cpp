#include <gtest/gtest.h>

#include "core/printer/diagnostic_commands.h"
#include "core/printer/diagnostic_table.h"
#include "support/core_support.h"

using Q6Test::hex;

namespace {

// The ten single tests as the table binds them: the tool's name, the window's button and caption,
// and the bytes from the command reference. The window's buttons and the tool's names are checked
// end to end as well (tests/gui/main_window/buttons_test.cpp, tests/cli/cli_program_test.cpp).
TEST(DiagnosticTable, EachSingleTestSendsItsReferenceBytes) {
  const struct {
    const char* name;
    const char* button;
    const char* caption;
    const char* bytes;
  } rows[] = {
      {"line-feed", "butLineFeed", "Line Feed", "0D 0A"},
      {"form-feed", "butFormFeed", "Form Feed", "0C"},
      {"feed-5cm", "butfeedlength", "Feed 5cm", "1B 4A C8"},
      {"full-cut", "butFullCut", "Full Cut", "1B 64 30"},
      {"partial-cut", "Command3", "Partial Cut", "1B 64 31"},
      {"feed-full-cut", "Command8", "Feed + Full Cut", "1B 64 32"},
      {"feed-partial-cut", "Command9", "Feed + Partial Cut", "1B 64 33"},
      {"cash-drawer-1", "butCDrawer1", "Cash Drawer 1", "1C"},
      {"cash-drawer-2", "butCDrawer2", "Cash Drawer 2", "19"},
      {"self-test", "Command4", "Print Self Test", "1B 3F 0A 00"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Q6::PrinterTest* test = Q6::findPrinterTest(QString::fromLatin1(row.name));
    ASSERT_NE(test, nullptr);
    EXPECT_EQ(Q6::printerTestOfButton(QLatin1String(row.button)), test);
    EXPECT_STREQ(test->caption, row.caption);
    EXPECT_EQ(Q6::testCommands(*test), Q6::CommandList{hex(row.bytes)});
  }
}

TEST(CharacterSetSheet, HasTheFixedFrameAroundFourteenRows) {
  const Q6::CommandList sheet = Q6::characterSetSheet();
  ASSERT_EQ(sheet.size(), 258u);
  EXPECT_EQ(sheet[0], hex("1B 40"));
  EXPECT_EQ(sheet[1], hex("1B 1D 61 31"));
  EXPECT_EQ(sheet[2], hex("1B 45 1B 69 31 31") + "Character Set" + hex("1B 69 30 30 0D 0A 0D 0A"));
  EXPECT_EQ(sheet[3], hex("20 20 30 20 31 20 32 20 33 20 34 20 35 20 36 20 37 20 38 20 39 20 41 20 "
                          "42 20 43 20 44 20 45 20 46 0D 0A"));
  EXPECT_EQ(sheet[256], hex("1B 61 05"));
  EXPECT_EQ(sheet[257], hex("1B 1D 61 30"));
}

TEST(CharacterSetSheet, RowsRunFromTwoToFAndCarryEveryHighByteUnchanged) {
  const Q6::CommandList sheet = Q6::characterSetSheet();
  ASSERT_EQ(sheet.size(), 258u);
  // Row 7 (codes 70-7F) in full: heading, sixteen cells, line end.
  const std::size_t row7 = 4 + 5 * 18;
  EXPECT_EQ(sheet[row7], hex("1B 45 37 1B 46"));
  const char* cells7[] = {"20 70", "20 71", "20 72", "20 73", "20 74", "20 75", "20 76", "20 77",
                          "20 78", "20 79", "20 7A", "20 7B", "20 7C", "20 7D", "20 7E", "20 7F"};
  for (int k = 0; k < 16; ++k) {
    EXPECT_EQ(sheet[row7 + 1 + k], hex(cells7[k])) << "column " << k;
  }
  EXPECT_EQ(sheet[row7 + 17], hex("0D 0A"));

  const char rowDigits[] = "23456789ABCDEF";
  for (int r = 0; r < 14; ++r) {
    const std::size_t start = 4 + r * 18;
    EXPECT_EQ(sheet[start], hex("1B 45") + rowDigits[r] + hex("1B 46")) << "row " << r;
    EXPECT_EQ(sheet[start + 17], hex("0D 0A"));
  }
  EXPECT_EQ(sheet[4 + 13 * 18 + 16], hex("20 FF"));  // last cell of row F
  EXPECT_EQ(sheet[4 + 6 * 18 + 1], hex("20 80"));    // first cell of row 8
}

TEST(TicketTest, NineSendsHeadingLineAndCutPerTicket) {
  const Q6::CommandList sends = Q6::ticketTest();
  ASSERT_EQ(sends.size(), 9u);
  const QByteArray heading = hex("20 20 20 20 20") + "Qlx500/600 Ticket Test" + hex("0D 0A");
  ASSERT_EQ(heading.size(), 29);
  for (int n = 0; n < 3; ++n) {
    EXPECT_EQ(sends[3 * n], heading);
    EXPECT_EQ(sends[3 * n + 1], hex("20 20 20 20 20 54 69 63 6B 65 74 20") + char('1' + n));
    EXPECT_EQ(sends[3 * n + 2], hex("1B 64 32"));
  }
}

}  // namespace
