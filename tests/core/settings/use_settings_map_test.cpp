#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "core/settings/use_settings.h"
#include "support/core_support.h"
#include "support/entry_table.h"

// The memory-switch map, entry by entry; expected frames as they appear on the wire.

using Q6::Selection;
using Q6Test::hex;

namespace {

const QByteArray& kWrite = Q6Test::kWriteFrame;

std::vector<QByteArray> thenWrite(std::vector<QByteArray> commands) {
  commands.push_back(kWrite);
  return commands;
}

TEST(UseSettingsMap, EveryEntryOfEveryListSendsItsCommandsThenWrite) {
  for (const Q6Test::EntryCase& c : Q6Test::kEveryEntry) {
    SCOPED_TRACE(std::string(c.control) + " " + std::to_string(c.index) + " " + c.item);
    Selection selection;
    selection.*(c.list) = c.index;
    const Q6::Result<Q6::CommandList> plan = Q6::buildUseSettings(selection);
    EXPECT_TRUE(plan.error().isEmpty()) << plan.error().toStdString();
    EXPECT_EQ(plan.value_or({}), thenWrite(c.commands));
  }
}

TEST(UseSettingsMap, PartialCutWithWindowsLatin1CodePage) {
  Selection selection;
  selection.comCPage = 23;  // "1252 (Windows Latin-1)"
  selection.comFF = 3;
  EXPECT_EQ(Q6::buildUseSettings(selection).value_or({}),
            (std::vector<QByteArray>{hex("1B 1D 23 2D 30 30 30 30 38 0A 00"),
                                     hex("1B 1D 23 2B 30 30 30 30 34 0A 00"),
                                     hex("1B 1D 23 2D 33 46 46 30 30 0A 00"),
                                     hex("1B 1D 23 2B 33 32 30 30 30 0A 00"), kWrite}));
}

TEST(UseSettingsMap, CodePageGoesOutBeforeSpeedWhicheverWasChangedFirst) {
  Selection selection;
  selection.comSpeed = 2;
  selection.comCPage = 42;
  EXPECT_EQ(Q6::buildUseSettings(selection).value_or({}),
            (std::vector<QByteArray>{hex("1B 1D 23 2D 33 46 46 30 30 0A 00"),  // clear 3 FF00
                                     hex("1B 1D 23 2B 33 46 46 30 30 0A 00"),  // set 3 FF00
                                     hex("1B 1D 23 2D 32 30 30 33 30 0A 00"),  // clear 2 0030
                                     hex("1B 1D 23 2B 32 30 30 31 30 0A 00"),  // set 2 0010
                                     kWrite}));
}

// Every row at once, filled in reverse order: the batch still follows the fixed order.
TEST(UseSettingsMap, AllNineteenRowsComeOutInTheirFixedOrder) {
  Selection s;
  s.txtContFeeds = "5";
  s.comContextCut = 3;
  s.cmbEPSpacing = 2;
  s.cmbBigFont = 2;
  s.comESCPOSColumns = 1;
  s.comPWidth = 3;
  s.comCSpacing = 2;
  s.txtCutOffset = " 3.5mm";
  s.chk_AdjustCutPos = true;
  s.comBMark = 2;
  s.comSpeed = 4;
  s.comDensity = 1;
  s.comLFeed = 2;
  s.comZStyle = 1;
  s.comCPage = 26;
  s.comCharSet = 11;
  s.comCRcode = 2;
  s.comNESensor = 1;
  s.comTopSearch = 2;
  s.comDeviceID = 2;
  s.comFF = 2;
  const std::vector<QByteArray> expected = {
      hex("1B 1D 23 2B 30 30 30 30 43 0A 00"),  //  1 comFF: set 0 000C
      hex("1B 1D 23 2D 43 30 30 30 34 0A 00"),  //  2 comDeviceID: clear C 0004
      hex("1B 1D 23 2B 43 30 30 30 31 0A 00"),  //    set C 0001
      hex("1B 1D 23 2D 31 30 34 30 30 0A 00"),  //  3 comTopSearch: clear 1 0400
      hex("1B 1D 23 2B 31 30 32 30 30 0A 00"),  //    set 1 0200
      hex("1B 1D 23 2D 41 30 31 30 30 0A 00"),  //  4 comNESensor: clear A 0100
      hex("1B 1D 23 2B 33 30 30 30 32 0A 00"),  //  5 comCRcode: set 3 0002
      hex("1B 1D 23 2D 31 30 30 30 46 0A 00"),  //  6 comCharSet: clear 1 000F
      hex("1B 1D 23 2B 31 30 30 30 41 0A 00"),  //    set 1 000A (Denmark #2)
      hex("1B 1D 23 2D 33 46 46 30 30 0A 00"),  //  7 comCPage: clear 3 FF00
      hex("1B 1D 23 2B 33 34 30 30 30 0A 00"),  //    set 3 4000 (3840)
      hex("1B 1D 23 2D 31 30 30 31 30 0A 00"),  //  8 comZStyle: clear 1 0010
      hex("1B 1D 23 2B 33 30 30 30 31 0A 00"),  //  9 comLFeed: set 3 0001
      hex("1B 1D 23 2D 32 30 30 30 37 0A 00"),  // 10 comDensity: clear 2 0007
      hex("1B 1D 23 2B 32 30 30 30 33 0A 00"),  //    set 2 0003 (130%)
      hex("1B 1D 23 2D 32 30 30 33 30 0A 00"),  // 11 comSpeed: clear 2 0030
      hex("1B 1D 23 2B 32 30 30 33 30 0A 00"),  //    set 2 0030
      hex("1B 1D 23 2B 31 30 31 30 30 0A 00"),  // 12 comBMark: set 1 0100
      hex("1B 1D 23 2D 32 46 46 30 30 0A 00"),  // 13 cut position: clear 2 FF00
      hex("1B 1D 23 2B 32 30 45 30 30 0A 00"),  //    set 2 0E00 (3.5 mm)
      hex("1B 1D 23 2B 33 30 30 31 30 0A 00"),  // 14 comCSpacing: set 3 0010
      hex("1B 1D 23 2D 34 30 30 30 37 0A 00"),  // 15 comPWidth: clear 4 0007
      hex("1B 1D 23 2B 34 30 30 30 31 0A 00"),  //    set 4 0001 (58 mm)
      hex("1B 1D 23 2D 34 30 30 31 30 0A 00"),  // 16 comESCPOSColumns: clear 4 0010
      hex("1B 1D 23 2B 31 30 30 38 30 0A 00"),  // 17 cmbBigFont: set 1 0080
      hex("1B 1D 23 2D 33 30 30 43 30 0A 00"),  // 18 cmbEPSpacing: clear 3 00C0
      hex("1B 1D 23 2B 33 30 30 34 30 0A 00"),  //    set 3 0040
      hex("1B 1D 23 2D 46 46 39 30 30 0A 00"),  // 19 comContextCut: clear F F900
      hex("1B 1D 23 2B 46 35 30 30 30 0A 00"),  //    set F 5000
      kWrite,
  };
  EXPECT_EQ(Q6::buildUseSettings(s).value_or({}), expected);
}

struct ListSize {
  int Selection::*list;
  int firstMissing;  // one past the last entry of the list
  const char* name;
};

const ListSize kListSizes[] = {
    {&Selection::comFF, 4, "comFF"},
    {&Selection::comDeviceID, 4, "comDeviceID"},
    {&Selection::comTopSearch, 4, "comTopSearch"},
    {&Selection::comNESensor, 3, "comNESensor"},
    {&Selection::comCRcode, 3, "comCRcode"},
    {&Selection::comCharSet, 17, "comCharSet"},
    {&Selection::comCPage, 43, "comCPage"},
    {&Selection::comZStyle, 3, "comZStyle"},
    {&Selection::comLFeed, 3, "comLFeed"},
    {&Selection::comDensity, 8, "comDensity"},
    {&Selection::comSpeed, 5, "comSpeed"},
    {&Selection::comBMark, 3, "comBMark"},
    {&Selection::comCSpacing, 3, "comCSpacing"},
    {&Selection::comPWidth, 4, "comPWidth"},
    {&Selection::comESCPOSColumns, 3, "comESCPOSColumns"},
    {&Selection::cmbBigFont, 3, "cmbBigFont"},
    {&Selection::cmbEPSpacing, 5, "cmbEPSpacing"},
    {&Selection::comContextCut, 4, "comContextCut"},
};

// Guards the table above against a forgotten entry: each list is covered from 1 to its last.
TEST(UseSettingsMap, EntryTableCoversEveryPositionOfEveryList) {
  for (const ListSize& size : kListSizes) {
    std::vector<int> covered;
    for (const Q6Test::EntryCase& c : Q6Test::kEveryEntry) {
      if (c.list == size.list) {
        covered.push_back(c.index);
      }
    }
    std::vector<int> expected;
    for (int i = 1; i < size.firstMissing; ++i) {
      expected.push_back(i);
    }
    EXPECT_EQ(covered, expected) << size.name;
  }
}

// No list offers these positions: nothing may go out for them, least of all a mask built from
// an out-of-range code.
TEST(UseSettingsMap, PositionsAListDoesNotHaveSendNothing) {
  for (const ListSize& c : kListSizes) {
    for (int index : {-1, c.firstMissing, c.firstMissing + 1, INT_MAX, INT_MIN}) {
      SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(index));
      Selection selection;
      selection.*(c.list) = index;
      const Q6::Result<Q6::CommandList> plan = Q6::buildUseSettings(selection);
      EXPECT_TRUE(plan.error().isEmpty());
      EXPECT_EQ(plan.value_or({}), std::vector<QByteArray>{kWrite});
    }
  }
}

TEST(UseSettingsMap, CodePageAndDensityTextsHaveNoLeadingZeros) {
  const std::pair<int, const char*> codePages[] = {
      {1, "0"},   {10, "9"},  {11, "A"},  {16, "F"},  {17, "10"}, {22, "15"}, {23, "20"},
      {25, "22"}, {26, "40"}, {41, "4F"}, {42, "FF"}, {0, ""},    {43, ""},   {-1, ""},
  };
  for (const auto& [index, code] : codePages) {
    EXPECT_EQ(Q6::GetCodePageHex(index), code) << "code page position " << index;
  }
  const std::pair<int, const char*> densities[] = {{1, "3"}, {2, "2"}, {3, "1"}, {4, "4"},
                                                   {5, "5"}, {6, "6"}, {7, "7"}, {0, ""},
                                                   {8, ""},  {-1, ""}};
  for (const auto& [index, digit] : densities) {
    EXPECT_EQ(Q6::GetDensityHex(index), digit) << "density position " << index;
  }
}

}  // namespace
