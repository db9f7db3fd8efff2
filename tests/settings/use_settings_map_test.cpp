#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "settings/use_settings.h"
#include "support/test_support.h"

// The memory-switch map, entry by entry. Every expected frame is written out as it appears on the
// wire: ESC GS '#', '+' (2B) or '-' (2D), switch digit, four mask digits, LF, NUL.

using Q6::Selection;
using Q6Test::hex;

namespace {

const QByteArray kWrite = hex("1B 1D 23 57 30 30 30 30 30 0A 00");

std::vector<QByteArray> thenWrite(std::vector<QByteArray> commands) {
  commands.push_back(kWrite);
  return commands;
}

struct EntryCase {
  int Selection::*list;
  int index;
  const char* name;
  std::vector<QByteArray> commands;  // without the closing write
};

// Speed positions 1-3 mean the same switch values on both models (150/180, 100/120, 50/75
// mm/second); position 4 exists on the QLX500 only. The contextual-cut rows use the count box's
// initial text "2".
const EntryCase kEveryEntry[] = {
    {&Selection::comFF,
     1,
     "comFF 1 Feed (No cut)",  // clear 0 000C
     {hex("1B 1D 23 2D 30 30 30 30 43 0A 00")}},
    {&Selection::comFF,
     2,
     "comFF 2 Full Cut",  // set 0 000C
     {hex("1B 1D 23 2B 30 30 30 30 43 0A 00")}},
    {&Selection::comFF,
     3,
     "comFF 3 Partial Cut",  // clear 0 0008, set 0 0004
     {hex("1B 1D 23 2D 30 30 30 30 38 0A 00"), hex("1B 1D 23 2B 30 30 30 30 34 0A 00")}},
    {&Selection::comDeviceID,
     1,
     "comDeviceID 1 Off",  // clear C 0001
     {hex("1B 1D 23 2D 43 30 30 30 31 0A 00")}},
    {&Selection::comDeviceID,
     2,
     "comDeviceID 2 On: Default ID",  // clear C 0004, set C 0001
     {hex("1B 1D 23 2D 43 30 30 30 34 0A 00"), hex("1B 1D 23 2B 43 30 30 30 31 0A 00")}},
    {&Selection::comDeviceID,
     3,
     "comDeviceID 3 On: Alternative ID",  // set C 0005
     {hex("1B 1D 23 2B 43 30 30 30 35 0A 00")}},
    {&Selection::comTopSearch,
     1,
     "comTopSearch 1 Off",  // clear 1 0600
     {hex("1B 1D 23 2D 31 30 36 30 30 0A 00")}},
    {&Selection::comTopSearch,
     2,
     "comTopSearch 2 Reverse to 3mm",  // clear 1 0400, set 1 0200
     {hex("1B 1D 23 2D 31 30 34 30 30 0A 00"), hex("1B 1D 23 2B 31 30 32 30 30 0A 00")}},
    {&Selection::comTopSearch,
     3,
     "comTopSearch 3 Reverse to 7mm",  // set 1 0600
     {hex("1B 1D 23 2B 31 30 36 30 30 0A 00")}},
    {&Selection::comNESensor,
     1,
     "comNESensor 1 Enabled",  // clear A 0100
     {hex("1B 1D 23 2D 41 30 31 30 30 0A 00")}},
    {&Selection::comNESensor,
     2,
     "comNESensor 2 Disabled",  // set A 0100
     {hex("1B 1D 23 2B 41 30 31 30 30 0A 00")}},
    {&Selection::comCRcode,
     1,
     "comCRcode 1 Disabled",  // clear 3 0002
     {hex("1B 1D 23 2D 33 30 30 30 32 0A 00")}},
    {&Selection::comCRcode,
     2,
     "comCRcode 2 Perform Line Feed",  // set 3 0002
     {hex("1B 1D 23 2B 33 30 30 30 32 0A 00")}},
    {&Selection::comCharSet,
     1,
     "comCharSet 1 USA",  // clear 1 000F, set 1 0000
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 30 0A 00")}},
    {&Selection::comCharSet,
     2,
     "comCharSet 2 France",  // clear 1 000F, set 1 0001
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 31 0A 00")}},
    {&Selection::comCharSet,
     3,
     "comCharSet 3 Germany",  // clear 1 000F, set 1 0002
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 32 0A 00")}},
    {&Selection::comCharSet,
     4,
     "comCharSet 4 U.K.",  // clear 1 000F, set 1 0003
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 33 0A 00")}},
    {&Selection::comCharSet,
     5,
     "comCharSet 5 Denmark #1",  // clear 1 000F, set 1 0004
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 34 0A 00")}},
    {&Selection::comCharSet,
     6,
     "comCharSet 6 Sweden",  // clear 1 000F, set 1 0005
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 35 0A 00")}},
    {&Selection::comCharSet,
     7,
     "comCharSet 7 Italy",  // clear 1 000F, set 1 0006
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 36 0A 00")}},
    {&Selection::comCharSet,
     8,
     "comCharSet 8 Spain #1",  // clear 1 000F, set 1 0007
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 37 0A 00")}},
    {&Selection::comCharSet,
     9,
     "comCharSet 9 Japan",  // clear 1 000F, set 1 0008
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 38 0A 00")}},
    {&Selection::comCharSet,
     10,
     "comCharSet 10 Norway",  // clear 1 000F, set 1 0009
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 39 0A 00")}},
    {&Selection::comCharSet,
     11,
     "comCharSet 11 Denmark #2",  // clear 1 000F, set 1 000A
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 41 0A 00")}},
    {&Selection::comCharSet,
     12,
     "comCharSet 12 Spain #2",  // clear 1 000F, set 1 000B
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 42 0A 00")}},
    {&Selection::comCharSet,
     13,
     "comCharSet 13 Latin America",  // clear 1 000F, set 1 000C
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 43 0A 00")}},
    {&Selection::comCharSet,
     14,
     "comCharSet 14 Korea",  // clear 1 000F, set 1 000D
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 44 0A 00")}},
    {&Selection::comCharSet,
     15,
     "comCharSet 15 Ireland",  // clear 1 000F, set 1 000E
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 45 0A 00")}},
    {&Selection::comCharSet,
     16,
     "comCharSet 16 Legal",  // clear 1 000F, set 1 000F
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 46 0A 00")}},
    {&Selection::comCPage,
     1,
     "comCPage 1 Normal",  // clear 3 FF00, set 3 0000
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 30 30 30 0A 00")}},
    {&Selection::comCPage,
     2,
     "comCPage 2 437(USA,std. Europe) ",  // clear 3 FF00, set 3 0100
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 31 30 30 0A 00")}},
    {&Selection::comCPage,
     3,
     "comCPage 3 Katakana",  // clear 3 FF00, set 3 0200
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 32 30 30 0A 00")}},
    {&Selection::comCPage,
     4,
     "comCPage 4 437(USA,std. Europe)",  // clear 3 FF00, set 3 0300
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 33 30 30 0A 00")}},
    {&Selection::comCPage,
     5,
     "comCPage 5 858 (Multilingual)",  // clear 3 FF00, set 3 0400
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 34 30 30 0A 00")}},
    {&Selection::comCPage,
     6,
     "comCPage 6 852 (Latin-2)",  // clear 3 FF00, set 3 0500
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 35 30 30 0A 00")}},
    {&Selection::comCPage,
     7,
     "comCPage 7 860 (Portuguese)",  // clear 3 FF00, set 3 0600
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 36 30 30 0A 00")}},
    {&Selection::comCPage,
     8,
     "comCPage 8 861 (Icelandic)",  // clear 3 FF00, set 3 0700
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 37 30 30 0A 00")}},
    {&Selection::comCPage,
     9,
     "comCPage 9 863 (Canadian Frence)",  // clear 3 FF00, set 3 0800
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 38 30 30 0A 00")}},
    {&Selection::comCPage,
     10,
     "comCPage 10 865 (Nordic)",  // clear 3 FF00, set 3 0900
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 39 30 30 0A 00")}},
    {&Selection::comCPage,
     11,
     "comCPage 11 866 (Cyrillic Russian)",  // clear 3 FF00, set 3 0A00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 41 30 30 0A 00")}},
    {&Selection::comCPage,
     12,
     "comCPage 12 855 (Cyrillic Bulgarian)",  // clear 3 FF00, set 3 0B00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 42 30 30 0A 00")}},
    {&Selection::comCPage,
     13,
     "comCPage 13 857 (Turkish)",  // clear 3 FF00, set 3 0C00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 43 30 30 0A 00")}},
    {&Selection::comCPage,
     14,
     "comCPage 14 862 (Hebrew)",  // clear 3 FF00, set 3 0D00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 44 30 30 0A 00")}},
    {&Selection::comCPage,
     15,
     "comCPage 15 864 (Arabic)",  // clear 3 FF00, set 3 0E00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 45 30 30 0A 00")}},
    {&Selection::comCPage,
     16,
     "comCPage 16 737 (Greek)",  // clear 3 FF00, set 3 0F00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 46 30 30 0A 00")}},
    {&Selection::comCPage,
     17,
     "comCPage 17 851 (Greek)",  // clear 3 FF00, set 3 1000
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 31 30 30 30 0A 00")}},
    {&Selection::comCPage,
     18,
     "comCPage 18 869 (Greek)",  // clear 3 FF00, set 3 1100
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 31 31 30 30 0A 00")}},
    {&Selection::comCPage,
     19,
     "comCPage 19 928 (Greek)",  // clear 3 FF00, set 3 1200
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 31 32 30 30 0A 00")}},
    {&Selection::comCPage,
     20,
     "comCPage 20 772 (Lithuanian)",  // clear 3 FF00, set 3 1300
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 31 33 30 30 0A 00")}},
    {&Selection::comCPage,
     21,
     "comCPage 21 774 (Lithuanian)",  // clear 3 FF00, set 3 1400
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 31 34 30 30 0A 00")}},
    {&Selection::comCPage,
     22,
     "comCPage 22 874 (Thai)",  // clear 3 FF00, set 3 1500
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 31 35 30 30 0A 00")}},
    {&Selection::comCPage,
     23,
     "comCPage 23 1252 (Windows Latin-1)",  // clear 3 FF00, set 3 2000
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 32 30 30 30 0A 00")}},
    {&Selection::comCPage,
     24,
     "comCPage 24 1250 (Windows Latin-2)",  // clear 3 FF00, set 3 2100
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 32 31 30 30 0A 00")}},
    {&Selection::comCPage,
     25,
     "comCPage 25 1251 (Windows Cyrillic)",  // clear 3 FF00, set 3 2200
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 32 32 30 30 0A 00")}},
    {&Selection::comCPage,
     26,
     "comCPage 26 3840 (IBM-Russian)",  // clear 3 FF00, set 3 4000
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 30 30 30 0A 00")}},
    {&Selection::comCPage,
     27,
     "comCPage 27 3841 (Gost)",  // clear 3 FF00, set 3 4100
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 31 30 30 0A 00")}},
    {&Selection::comCPage,
     28,
     "comCPage 28 3843 (Polish)",  // clear 3 FF00, set 3 4200
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 32 30 30 0A 00")}},
    {&Selection::comCPage,
     29,
     "comCPage 29 3844 (CS2)",  // clear 3 FF00, set 3 4300
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 33 30 30 0A 00")}},
    {&Selection::comCPage,
     30,
     "comCPage 30 3845 (Hungarian)",  // clear 3 FF00, set 3 4400
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 34 30 30 0A 00")}},
    {&Selection::comCPage,
     31,
     "comCPage 31 3846 (Turkish)",  // clear 3 FF00, set 3 4500
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 35 30 30 0A 00")}},
    {&Selection::comCPage,
     32,
     "comCPage 32 3847 (Brazil-ABNT)",  // clear 3 FF00, set 3 4600
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 36 30 30 0A 00")}},
    {&Selection::comCPage,
     33,
     "comCPage 33 3848 (Brazil-ABICOMP)",  // clear 3 FF00, set 3 4700
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 37 30 30 0A 00")}},
    {&Selection::comCPage,
     34,
     "comCPage 34 1001 (Arabic)",  // clear 3 FF00, set 3 4800
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 38 30 30 0A 00")}},
    {&Selection::comCPage,
     35,
     "comCPage 35 2001 (Lithuaninan-KBL)",  // clear 3 FF00, set 3 4900
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 39 30 30 0A 00")}},
    {&Selection::comCPage,
     36,
     "comCPage 36 3001 (Estonian-1)",  // clear 3 FF00, set 3 4A00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 41 30 30 0A 00")}},
    {&Selection::comCPage,
     37,
     "comCPage 37 3002 (Estonian-2)",  // clear 3 FF00, set 3 4B00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 42 30 30 0A 00")}},
    {&Selection::comCPage,
     38,
     "comCPage 38 3011 (Latvian-1)",  // clear 3 FF00, set 3 4C00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 43 30 30 0A 00")}},
    {&Selection::comCPage,
     39,
     "comCPage 39 3012 (Latvian-2)",  // clear 3 FF00, set 3 4D00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 44 30 30 0A 00")}},
    {&Selection::comCPage,
     40,
     "comCPage 40 3021 (Bulgarian)",  // clear 3 FF00, set 3 4E00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 45 30 30 0A 00")}},
    {&Selection::comCPage,
     41,
     "comCPage 41 3041 (Maltese)",  // clear 3 FF00, set 3 4F00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 46 30 30 0A 00")}},
    {&Selection::comCPage,
     42,
     "comCPage 42 User Setting (Downloaded)",  // clear 3 FF00, set 3 FF00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 46 46 30 30 0A 00")}},
    {&Selection::comZStyle,
     1,
     "comZStyle 1 No Slash",  // clear 1 0010
     {hex("1B 1D 23 2D 31 30 30 31 30 0A 00")}},
    {&Selection::comZStyle,
     2,
     "comZStyle 2 Slash",  // set 1 0010
     {hex("1B 1D 23 2B 31 30 30 31 30 0A 00")}},
    {&Selection::comLFeed,
     1,
     "comLFeed 1 4mm",  // clear 3 0001
     {hex("1B 1D 23 2D 33 30 30 30 31 0A 00")}},
    {&Selection::comLFeed,
     2,
     "comLFeed 2 3mm",  // set 3 0001
     {hex("1B 1D 23 2B 33 30 30 30 31 0A 00")}},
    {&Selection::comDensity,
     1,
     "comDensity 1 130% (Darkest)",  // clear 2 0007, set 2 0003
     {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 33 0A 00")}},
    {&Selection::comDensity,
     2,
     "comDensity 2 120%",  // clear 2 0007, set 2 0002
     {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 32 0A 00")}},
    {&Selection::comDensity,
     3,
     "comDensity 3 110%",  // clear 2 0007, set 2 0001
     {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 31 0A 00")}},
    {&Selection::comDensity,
     4,
     "comDensity 4 Normal",  // clear 2 0007, set 2 0004
     {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 34 0A 00")}},
    {&Selection::comDensity,
     5,
     "comDensity 5 90%",  // clear 2 0007, set 2 0005
     {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 35 0A 00")}},
    {&Selection::comDensity,
     6,
     "comDensity 6 80%",  // clear 2 0007, set 2 0006
     {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 36 0A 00")}},
    {&Selection::comDensity,
     7,
     "comDensity 7 70%",  // clear 2 0007, set 2 0007
     {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 37 0A 00")}},
    {&Selection::comSpeed,
     1,
     "comSpeed 1 150mm/second | 180mm/second",  // clear 2 0030
     {hex("1B 1D 23 2D 32 30 30 33 30 0A 00")}},
    {&Selection::comSpeed,
     2,
     "comSpeed 2 100mm/second | 120mm/second",  // clear 2 0030, set 2 0010
     {hex("1B 1D 23 2D 32 30 30 33 30 0A 00"), hex("1B 1D 23 2B 32 30 30 31 30 0A 00")}},
    {&Selection::comSpeed,
     3,
     "comSpeed 3 50mm/second | 75mm/second",  // clear 2 0030, set 2 0020
     {hex("1B 1D 23 2D 32 30 30 33 30 0A 00"), hex("1B 1D 23 2B 32 30 30 32 30 0A 00")}},
    {&Selection::comSpeed,
     4,
     "comSpeed 4 Optimum Density (QLX500 only)",  // clear 2 0030, set 2 0030
     {hex("1B 1D 23 2D 32 30 30 33 30 0A 00"), hex("1B 1D 23 2B 32 30 30 33 30 0A 00")}},
    {&Selection::comBMark,
     1,
     "comBMark 1 Off",  // clear 1 0100
     {hex("1B 1D 23 2D 31 30 31 30 30 0A 00")}},
    {&Selection::comBMark,
     2,
     "comBMark 2 On",  // set 1 0100
     {hex("1B 1D 23 2B 31 30 31 30 30 0A 00")}},
    {&Selection::comCSpacing,
     1,
     "comCSpacing 1 12 dot",  // clear 3 0010
     {hex("1B 1D 23 2D 33 30 30 31 30 0A 00")}},
    {&Selection::comCSpacing,
     2,
     "comCSpacing 2 15 dot",  // set 3 0010
     {hex("1B 1D 23 2B 33 30 30 31 30 0A 00")}},
    {&Selection::comPWidth,
     1,
     "comPWidth 1 82mm (80mm print area)",  // clear 4 0007, set 4 0002
     {hex("1B 1D 23 2D 34 30 30 30 37 0A 00"), hex("1B 1D 23 2B 34 30 30 30 32 0A 00")}},
    {&Selection::comPWidth,
     2,
     "comPWidth 2 80mm (72mm print area)",  // clear 4 0007
     {hex("1B 1D 23 2D 34 30 30 30 37 0A 00")}},
    {&Selection::comPWidth,
     3,
     "comPWidth 3 58mm (52.5mm print area)",  // clear 4 0007, set 4 0001
     {hex("1B 1D 23 2D 34 30 30 30 37 0A 00"), hex("1B 1D 23 2B 34 30 30 30 31 0A 00")}},
    {&Selection::comESCPOSColumns,
     1,
     "comESCPOSColumns 1 Standard",  // clear 4 0010
     {hex("1B 1D 23 2D 34 30 30 31 30 0A 00")}},
    {&Selection::comESCPOSColumns,
     2,
     "comESCPOSColumns 2 Maximum",  // set 4 0010
     {hex("1B 1D 23 2B 34 30 30 31 30 0A 00")}},
    {&Selection::cmbBigFont,
     1,
     "cmbBigFont 1 Default",  // clear 1 0080
     {hex("1B 1D 23 2D 31 30 30 38 30 0A 00")}},
    {&Selection::cmbBigFont,
     2,
     "cmbBigFont 2 Large",  // set 1 0080
     {hex("1B 1D 23 2B 31 30 30 38 30 0A 00")}},
    {&Selection::cmbEPSpacing,
     1,
     "cmbEPSpacing 1 No additional spacing",  // clear 3 00C0
     {hex("1B 1D 23 2D 33 30 30 43 30 0A 00")}},
    {&Selection::cmbEPSpacing,
     2,
     "cmbEPSpacing 2 1 dot spacing",  // clear 3 00C0, set 3 0040
     {hex("1B 1D 23 2D 33 30 30 43 30 0A 00"), hex("1B 1D 23 2B 33 30 30 34 30 0A 00")}},
    {&Selection::cmbEPSpacing,
     3,
     "cmbEPSpacing 3 2 dot spacing",  // clear 3 00C0, set 3 0080
     {hex("1B 1D 23 2D 33 30 30 43 30 0A 00"), hex("1B 1D 23 2B 33 30 30 38 30 0A 00")}},
    {&Selection::cmbEPSpacing,
     4,
     "cmbEPSpacing 4 3 dot spacing",  // set 3 00C0
     {hex("1B 1D 23 2B 33 30 30 43 30 0A 00")}},
    {&Selection::comContextCut,
     1,
     "comContextCut 1 Disabled",  // clear F F800
     {hex("1B 1D 23 2D 46 46 38 30 30 0A 00")}},
    {&Selection::comContextCut,
     2,
     "comContextCut 2 Enabled - Full Cut (count \"2\")",  // clear F F000, set F 2800
     {hex("1B 1D 23 2D 46 46 30 30 30 0A 00"), hex("1B 1D 23 2B 46 32 38 30 30 0A 00")}},
    {&Selection::comContextCut,
     3,
     "comContextCut 3 Enabled - Partial Cut (count \"2\")",  // clear F F900, set F 2000
     {hex("1B 1D 23 2D 46 46 39 30 30 0A 00"), hex("1B 1D 23 2B 46 32 30 30 30 0A 00")}},
};

TEST(UseSettingsMap, EveryEntryOfEveryListSendsItsCommandsThenWrite) {
  for (const EntryCase& c : kEveryEntry) {
    SCOPED_TRACE(c.name);
    Selection selection;
    selection.*(c.list) = c.index;
    const Q6::UseSettingsPlan plan = Q6::buildUseSettings(selection);
    EXPECT_TRUE(plan.error.isEmpty()) << plan.error.toStdString();
    EXPECT_EQ(plan.commands, thenWrite(c.commands));
  }
}

TEST(UseSettingsMap, AllAtNoChangeSendsTheWriteCommandAlone) {
  const Q6::UseSettingsPlan plan = Q6::buildUseSettings(Selection{});
  EXPECT_TRUE(plan.error.isEmpty());
  ASSERT_EQ(plan.commands.size(), 1u);
  EXPECT_EQ(plan.commands[0], hex("1B 1D 23 57 30 30 30 30 30 0A 00"));
}

TEST(UseSettingsMap, PartialCutAloneIsExactlyThreeCommands) {
  Selection selection;
  selection.comFF = 3;
  const Q6::UseSettingsPlan plan = Q6::buildUseSettings(selection);
  ASSERT_EQ(plan.commands.size(), 3u);
  EXPECT_EQ(plan.commands[0], hex("1B 1D 23 2D 30 30 30 30 38 0A 00"));
  EXPECT_EQ(plan.commands[1], hex("1B 1D 23 2B 30 30 30 30 34 0A 00"));
  EXPECT_EQ(plan.commands[2], hex("1B 1D 23 57 30 30 30 30 30 0A 00"));
}

TEST(UseSettingsMap, PartialCutWithWindowsLatin1CodePage) {
  Selection selection;
  selection.comCPage = 23;  // "1252 (Windows Latin-1)"
  selection.comFF = 3;
  EXPECT_EQ(Q6::buildUseSettings(selection).commands,
            (std::vector<QByteArray>{hex("1B 1D 23 2D 30 30 30 30 38 0A 00"),
                                     hex("1B 1D 23 2B 30 30 30 30 34 0A 00"),
                                     hex("1B 1D 23 2D 33 46 46 30 30 0A 00"),
                                     hex("1B 1D 23 2B 33 32 30 30 30 0A 00"), kWrite}));
}

TEST(UseSettingsMap, CodePageGoesOutBeforeSpeedWhicheverWasChangedFirst) {
  Selection selection;
  selection.comSpeed = 2;
  selection.comCPage = 42;
  EXPECT_EQ(Q6::buildUseSettings(selection).commands,
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
  EXPECT_EQ(Q6::buildUseSettings(s).commands, expected);
}

struct UnhandledCase {
  int Selection::*list;
  int firstMissing;  // one past the last entry of the list
  const char* name;
};

// No list offers these positions: nothing may go out for them, least of all a mask built from
// an out-of-range code.
TEST(UseSettingsMap, PositionsAListDoesNotHaveSendNothing) {
  const UnhandledCase cases[] = {
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
  for (const UnhandledCase& c : cases) {
    for (int index : {-1, c.firstMissing, c.firstMissing + 1, INT_MAX, INT_MIN}) {
      SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(index));
      Selection selection;
      selection.*(c.list) = index;
      const Q6::UseSettingsPlan plan = Q6::buildUseSettings(selection);
      EXPECT_TRUE(plan.error.isEmpty());
      EXPECT_EQ(plan.commands, std::vector<QByteArray>{kWrite});
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
