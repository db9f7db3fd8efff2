#pragma once

#include <QByteArray>

#include <vector>

#include "settings/use_settings.h"
#include "support/core_support.h"

// Every position of every setting list and the frames it must put on the wire, ahead of the
// closing write: ESC GS '#', '+' (2B) or '-' (2D), switch digit, four mask digits, LF, NUL.
// Shared by the map's own tests and the ones that press "Use Settings" on the window.

namespace Q6Test {

struct EntryCase {
  const char* control;  // objectName of the list on the main window
  int Q6::Selection::*list;
  int index;
  const char* item;
  std::vector<QByteArray> commands;  // without the closing write
};

using Q6::Selection;

// Speed positions 1-3 mean the same switch values on both models (150/180, 100/120, 50/75
// mm/second); position 4 exists on the QLX500 only. The contextual-cut rows use the count box's
// initial text "2".
inline const std::vector<EntryCase> kEveryEntry = {
    {"comFF",
     &Selection::comFF,
     1,
     "Feed (No cut)",  // clear 0 000C
     {hex("1B 1D 23 2D 30 30 30 30 43 0A 00")}},
    {"comFF",
     &Selection::comFF,
     2,
     "Full Cut",  // set 0 000C
     {hex("1B 1D 23 2B 30 30 30 30 43 0A 00")}},
    {"comFF",
     &Selection::comFF,
     3,
     "Partial Cut",  // clear 0 0008, set 0 0004
     {hex("1B 1D 23 2D 30 30 30 30 38 0A 00"), hex("1B 1D 23 2B 30 30 30 30 34 0A 00")}},
    {"comDeviceID",
     &Selection::comDeviceID,
     1,
     "Off",  // clear C 0001
     {hex("1B 1D 23 2D 43 30 30 30 31 0A 00")}},
    {"comDeviceID",
     &Selection::comDeviceID,
     2,
     "On: Default ID",  // clear C 0004, set C 0001
     {hex("1B 1D 23 2D 43 30 30 30 34 0A 00"), hex("1B 1D 23 2B 43 30 30 30 31 0A 00")}},
    {"comDeviceID",
     &Selection::comDeviceID,
     3,
     "On: Alternative ID",  // set C 0005
     {hex("1B 1D 23 2B 43 30 30 30 35 0A 00")}},
    {"comTopSearch",
     &Selection::comTopSearch,
     1,
     "Off",  // clear 1 0600
     {hex("1B 1D 23 2D 31 30 36 30 30 0A 00")}},
    {"comTopSearch",
     &Selection::comTopSearch,
     2,
     "Reverse to 3mm",  // clear 1 0400, set 1 0200
     {hex("1B 1D 23 2D 31 30 34 30 30 0A 00"), hex("1B 1D 23 2B 31 30 32 30 30 0A 00")}},
    {"comTopSearch",
     &Selection::comTopSearch,
     3,
     "Reverse to 7mm",  // set 1 0600
     {hex("1B 1D 23 2B 31 30 36 30 30 0A 00")}},
    {"comNESensor",
     &Selection::comNESensor,
     1,
     "Enabled",  // clear A 0100
     {hex("1B 1D 23 2D 41 30 31 30 30 0A 00")}},
    {"comNESensor",
     &Selection::comNESensor,
     2,
     "Disabled",  // set A 0100
     {hex("1B 1D 23 2B 41 30 31 30 30 0A 00")}},
    {"comCRcode",
     &Selection::comCRcode,
     1,
     "Disabled",  // clear 3 0002
     {hex("1B 1D 23 2D 33 30 30 30 32 0A 00")}},
    {"comCRcode",
     &Selection::comCRcode,
     2,
     "Perform Line Feed",  // set 3 0002
     {hex("1B 1D 23 2B 33 30 30 30 32 0A 00")}},
    {"comCharSet",
     &Selection::comCharSet,
     1,
     "USA",  // clear 1 000F, set 1 0000
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 30 0A 00")}},
    {"comCharSet",
     &Selection::comCharSet,
     2,
     "France",  // clear 1 000F, set 1 0001
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 31 0A 00")}},
    {"comCharSet",
     &Selection::comCharSet,
     3,
     "Germany",  // clear 1 000F, set 1 0002
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 32 0A 00")}},
    {"comCharSet",
     &Selection::comCharSet,
     4,
     "U.K.",  // clear 1 000F, set 1 0003
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 33 0A 00")}},
    {"comCharSet",
     &Selection::comCharSet,
     5,
     "Denmark #1",  // clear 1 000F, set 1 0004
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 34 0A 00")}},
    {"comCharSet",
     &Selection::comCharSet,
     6,
     "Sweden",  // clear 1 000F, set 1 0005
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 35 0A 00")}},
    {"comCharSet",
     &Selection::comCharSet,
     7,
     "Italy",  // clear 1 000F, set 1 0006
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 36 0A 00")}},
    {"comCharSet",
     &Selection::comCharSet,
     8,
     "Spain #1",  // clear 1 000F, set 1 0007
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 37 0A 00")}},
    {"comCharSet",
     &Selection::comCharSet,
     9,
     "Japan",  // clear 1 000F, set 1 0008
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 38 0A 00")}},
    {"comCharSet",
     &Selection::comCharSet,
     10,
     "Norway",  // clear 1 000F, set 1 0009
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 39 0A 00")}},
    {"comCharSet",
     &Selection::comCharSet,
     11,
     "Denmark #2",  // clear 1 000F, set 1 000A
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 41 0A 00")}},
    {"comCharSet",
     &Selection::comCharSet,
     12,
     "Spain #2",  // clear 1 000F, set 1 000B
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 42 0A 00")}},
    {"comCharSet",
     &Selection::comCharSet,
     13,
     "Latin America",  // clear 1 000F, set 1 000C
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 43 0A 00")}},
    {"comCharSet",
     &Selection::comCharSet,
     14,
     "Korea",  // clear 1 000F, set 1 000D
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 44 0A 00")}},
    {"comCharSet",
     &Selection::comCharSet,
     15,
     "Ireland",  // clear 1 000F, set 1 000E
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 45 0A 00")}},
    {"comCharSet",
     &Selection::comCharSet,
     16,
     "Legal",  // clear 1 000F, set 1 000F
     {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 46 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     1,
     "Normal",  // clear 3 FF00, set 3 0000
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 30 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     2,
     "437(USA,std. Europe) ",  // clear 3 FF00, set 3 0100
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 31 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     3,
     "Katakana",  // clear 3 FF00, set 3 0200
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 32 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     4,
     "437(USA,std. Europe)",  // clear 3 FF00, set 3 0300
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 33 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     5,
     "858 (Multilingual)",  // clear 3 FF00, set 3 0400
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 34 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     6,
     "852 (Latin-2)",  // clear 3 FF00, set 3 0500
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 35 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     7,
     "860 (Portuguese)",  // clear 3 FF00, set 3 0600
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 36 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     8,
     "861 (Icelandic)",  // clear 3 FF00, set 3 0700
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 37 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     9,
     "863 (Canadian Frence)",  // clear 3 FF00, set 3 0800
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 38 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     10,
     "865 (Nordic)",  // clear 3 FF00, set 3 0900
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 39 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     11,
     "866 (Cyrillic Russian)",  // clear 3 FF00, set 3 0A00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 41 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     12,
     "855 (Cyrillic Bulgarian)",  // clear 3 FF00, set 3 0B00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 42 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     13,
     "857 (Turkish)",  // clear 3 FF00, set 3 0C00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 43 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     14,
     "862 (Hebrew)",  // clear 3 FF00, set 3 0D00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 44 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     15,
     "864 (Arabic)",  // clear 3 FF00, set 3 0E00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 45 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     16,
     "737 (Greek)",  // clear 3 FF00, set 3 0F00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 46 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     17,
     "851 (Greek)",  // clear 3 FF00, set 3 1000
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 31 30 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     18,
     "869 (Greek)",  // clear 3 FF00, set 3 1100
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 31 31 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     19,
     "928 (Greek)",  // clear 3 FF00, set 3 1200
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 31 32 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     20,
     "772 (Lithuanian)",  // clear 3 FF00, set 3 1300
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 31 33 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     21,
     "774 (Lithuanian)",  // clear 3 FF00, set 3 1400
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 31 34 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     22,
     "874 (Thai)",  // clear 3 FF00, set 3 1500
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 31 35 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     23,
     "1252 (Windows Latin-1)",  // clear 3 FF00, set 3 2000
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 32 30 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     24,
     "1250 (Windows Latin-2)",  // clear 3 FF00, set 3 2100
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 32 31 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     25,
     "1251 (Windows Cyrillic)",  // clear 3 FF00, set 3 2200
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 32 32 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     26,
     "3840 (IBM-Russian)",  // clear 3 FF00, set 3 4000
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 30 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     27,
     "3841 (Gost)",  // clear 3 FF00, set 3 4100
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 31 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     28,
     "3843 (Polish)",  // clear 3 FF00, set 3 4200
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 32 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     29,
     "3844 (CS2)",  // clear 3 FF00, set 3 4300
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 33 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     30,
     "3845 (Hungarian)",  // clear 3 FF00, set 3 4400
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 34 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     31,
     "3846 (Turkish)",  // clear 3 FF00, set 3 4500
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 35 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     32,
     "3847 (Brazil-ABNT)",  // clear 3 FF00, set 3 4600
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 36 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     33,
     "3848 (Brazil-ABICOMP)",  // clear 3 FF00, set 3 4700
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 37 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     34,
     "1001 (Arabic)",  // clear 3 FF00, set 3 4800
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 38 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     35,
     "2001 (Lithuaninan-KBL)",  // clear 3 FF00, set 3 4900
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 39 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     36,
     "3001 (Estonian-1)",  // clear 3 FF00, set 3 4A00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 41 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     37,
     "3002 (Estonian-2)",  // clear 3 FF00, set 3 4B00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 42 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     38,
     "3011 (Latvian-1)",  // clear 3 FF00, set 3 4C00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 43 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     39,
     "3012 (Latvian-2)",  // clear 3 FF00, set 3 4D00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 44 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     40,
     "3021 (Bulgarian)",  // clear 3 FF00, set 3 4E00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 45 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     41,
     "3041 (Maltese)",  // clear 3 FF00, set 3 4F00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 46 30 30 0A 00")}},
    {"comCPage",
     &Selection::comCPage,
     42,
     "User Setting (Downloaded)",  // clear 3 FF00, set 3 FF00
     {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 46 46 30 30 0A 00")}},
    {"comZStyle",
     &Selection::comZStyle,
     1,
     "No Slash",  // clear 1 0010
     {hex("1B 1D 23 2D 31 30 30 31 30 0A 00")}},
    {"comZStyle",
     &Selection::comZStyle,
     2,
     "Slash",  // set 1 0010
     {hex("1B 1D 23 2B 31 30 30 31 30 0A 00")}},
    {"comLFeed",
     &Selection::comLFeed,
     1,
     "4mm",  // clear 3 0001
     {hex("1B 1D 23 2D 33 30 30 30 31 0A 00")}},
    {"comLFeed",
     &Selection::comLFeed,
     2,
     "3mm",  // set 3 0001
     {hex("1B 1D 23 2B 33 30 30 30 31 0A 00")}},
    {"comDensity",
     &Selection::comDensity,
     1,
     "130% (Darkest)",  // clear 2 0007, set 2 0003
     {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 33 0A 00")}},
    {"comDensity",
     &Selection::comDensity,
     2,
     "120%",  // clear 2 0007, set 2 0002
     {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 32 0A 00")}},
    {"comDensity",
     &Selection::comDensity,
     3,
     "110%",  // clear 2 0007, set 2 0001
     {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 31 0A 00")}},
    {"comDensity",
     &Selection::comDensity,
     4,
     "Normal",  // clear 2 0007, set 2 0004
     {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 34 0A 00")}},
    {"comDensity",
     &Selection::comDensity,
     5,
     "90%",  // clear 2 0007, set 2 0005
     {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 35 0A 00")}},
    {"comDensity",
     &Selection::comDensity,
     6,
     "80%",  // clear 2 0007, set 2 0006
     {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 36 0A 00")}},
    {"comDensity",
     &Selection::comDensity,
     7,
     "70%",  // clear 2 0007, set 2 0007
     {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 37 0A 00")}},
    {"comSpeed",
     &Selection::comSpeed,
     1,
     "150mm/second | 180mm/second",  // clear 2 0030
     {hex("1B 1D 23 2D 32 30 30 33 30 0A 00")}},
    {"comSpeed",
     &Selection::comSpeed,
     2,
     "100mm/second | 120mm/second",  // clear 2 0030, set 2 0010
     {hex("1B 1D 23 2D 32 30 30 33 30 0A 00"), hex("1B 1D 23 2B 32 30 30 31 30 0A 00")}},
    {"comSpeed",
     &Selection::comSpeed,
     3,
     "50mm/second | 75mm/second",  // clear 2 0030, set 2 0020
     {hex("1B 1D 23 2D 32 30 30 33 30 0A 00"), hex("1B 1D 23 2B 32 30 30 32 30 0A 00")}},
    {"comSpeed",
     &Selection::comSpeed,
     4,
     "Optimum Density (QLX500 only)",  // clear 2 0030, set 2 0030
     {hex("1B 1D 23 2D 32 30 30 33 30 0A 00"), hex("1B 1D 23 2B 32 30 30 33 30 0A 00")}},
    {"comBMark",
     &Selection::comBMark,
     1,
     "Off",  // clear 1 0100
     {hex("1B 1D 23 2D 31 30 31 30 30 0A 00")}},
    {"comBMark",
     &Selection::comBMark,
     2,
     "On",  // set 1 0100
     {hex("1B 1D 23 2B 31 30 31 30 30 0A 00")}},
    {"comCSpacing",
     &Selection::comCSpacing,
     1,
     "12 dot",  // clear 3 0010
     {hex("1B 1D 23 2D 33 30 30 31 30 0A 00")}},
    {"comCSpacing",
     &Selection::comCSpacing,
     2,
     "15 dot",  // set 3 0010
     {hex("1B 1D 23 2B 33 30 30 31 30 0A 00")}},
    {"comPWidth",
     &Selection::comPWidth,
     1,
     "82mm (80mm print area)",  // clear 4 0007, set 4 0002
     {hex("1B 1D 23 2D 34 30 30 30 37 0A 00"), hex("1B 1D 23 2B 34 30 30 30 32 0A 00")}},
    {"comPWidth",
     &Selection::comPWidth,
     2,
     "80mm (72mm print area)",  // clear 4 0007
     {hex("1B 1D 23 2D 34 30 30 30 37 0A 00")}},
    {"comPWidth",
     &Selection::comPWidth,
     3,
     "58mm (52.5mm print area)",  // clear 4 0007, set 4 0001
     {hex("1B 1D 23 2D 34 30 30 30 37 0A 00"), hex("1B 1D 23 2B 34 30 30 30 31 0A 00")}},
    {"comESCPOSColumns",
     &Selection::comESCPOSColumns,
     1,
     "Standard",  // clear 4 0010
     {hex("1B 1D 23 2D 34 30 30 31 30 0A 00")}},
    {"comESCPOSColumns",
     &Selection::comESCPOSColumns,
     2,
     "Maximum",  // set 4 0010
     {hex("1B 1D 23 2B 34 30 30 31 30 0A 00")}},
    {"cmbBigFont",
     &Selection::cmbBigFont,
     1,
     "Default",  // clear 1 0080
     {hex("1B 1D 23 2D 31 30 30 38 30 0A 00")}},
    {"cmbBigFont",
     &Selection::cmbBigFont,
     2,
     "Large",  // set 1 0080
     {hex("1B 1D 23 2B 31 30 30 38 30 0A 00")}},
    {"cmbEPSpacing",
     &Selection::cmbEPSpacing,
     1,
     "No additional spacing",  // clear 3 00C0
     {hex("1B 1D 23 2D 33 30 30 43 30 0A 00")}},
    {"cmbEPSpacing",
     &Selection::cmbEPSpacing,
     2,
     "1 dot spacing",  // clear 3 00C0, set 3 0040
     {hex("1B 1D 23 2D 33 30 30 43 30 0A 00"), hex("1B 1D 23 2B 33 30 30 34 30 0A 00")}},
    {"cmbEPSpacing",
     &Selection::cmbEPSpacing,
     3,
     "2 dot spacing",  // clear 3 00C0, set 3 0080
     {hex("1B 1D 23 2D 33 30 30 43 30 0A 00"), hex("1B 1D 23 2B 33 30 30 38 30 0A 00")}},
    {"cmbEPSpacing",
     &Selection::cmbEPSpacing,
     4,
     "3 dot spacing",  // set 3 00C0
     {hex("1B 1D 23 2B 33 30 30 43 30 0A 00")}},
    {"comContextCut",
     &Selection::comContextCut,
     1,
     "Disabled",  // clear F F800
     {hex("1B 1D 23 2D 46 46 38 30 30 0A 00")}},
    {"comContextCut",
     &Selection::comContextCut,
     2,
     "Enabled - Full Cut (count \"2\")",  // clear F F000, set F 2800
     {hex("1B 1D 23 2D 46 46 30 30 30 0A 00"), hex("1B 1D 23 2B 46 32 38 30 30 0A 00")}},
    {"comContextCut",
     &Selection::comContextCut,
     3,
     "Enabled - Partial Cut (count \"2\")",  // clear F F900, set F 2000
     {hex("1B 1D 23 2D 46 46 39 30 30 0A 00"), hex("1B 1D 23 2B 46 32 30 30 30 0A 00")}},
};

inline const QByteArray kWriteFrame = hex("1B 1D 23 57 30 30 30 30 30 0A 00");

}  // namespace Q6Test
