#pragma once

#include <QByteArray>

#include <vector>

#include "core/settings/use_settings.h"
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
    // clang-format off
    {"comFF", &Selection::comFF, 1, "Feed (No cut)", {hex("1B 1D 23 2D 30 30 30 30 43 0A 00")}},  // clear 0 000C
    {"comFF", &Selection::comFF, 2, "Full Cut", {hex("1B 1D 23 2B 30 30 30 30 43 0A 00")}},  // set 0 000C
    {"comFF", &Selection::comFF, 3, "Partial Cut", {hex("1B 1D 23 2D 30 30 30 30 38 0A 00"), hex("1B 1D 23 2B 30 30 30 30 34 0A 00")}},  // clear 0 0008, set 0 0004
    {"comDeviceID", &Selection::comDeviceID, 1, "Off", {hex("1B 1D 23 2D 43 30 30 30 31 0A 00")}},  // clear C 0001
    {"comDeviceID", &Selection::comDeviceID, 2, "On: Default ID", {hex("1B 1D 23 2D 43 30 30 30 34 0A 00"), hex("1B 1D 23 2B 43 30 30 30 31 0A 00")}},  // clear C 0004, set C 0001
    {"comDeviceID", &Selection::comDeviceID, 3, "On: Alternative ID", {hex("1B 1D 23 2B 43 30 30 30 35 0A 00")}},  // set C 0005
    {"comTopSearch", &Selection::comTopSearch, 1, "Off", {hex("1B 1D 23 2D 31 30 36 30 30 0A 00")}},  // clear 1 0600
    {"comTopSearch", &Selection::comTopSearch, 2, "Reverse to 3mm", {hex("1B 1D 23 2D 31 30 34 30 30 0A 00"), hex("1B 1D 23 2B 31 30 32 30 30 0A 00")}},  // clear 1 0400, set 1 0200
    {"comTopSearch", &Selection::comTopSearch, 3, "Reverse to 7mm", {hex("1B 1D 23 2B 31 30 36 30 30 0A 00")}},  // set 1 0600
    {"comNESensor", &Selection::comNESensor, 1, "Enabled", {hex("1B 1D 23 2D 41 30 31 30 30 0A 00")}},  // clear A 0100
    {"comNESensor", &Selection::comNESensor, 2, "Disabled", {hex("1B 1D 23 2B 41 30 31 30 30 0A 00")}},  // set A 0100
    {"comCRcode", &Selection::comCRcode, 1, "Disabled", {hex("1B 1D 23 2D 33 30 30 30 32 0A 00")}},  // clear 3 0002
    {"comCRcode", &Selection::comCRcode, 2, "Perform Line Feed", {hex("1B 1D 23 2B 33 30 30 30 32 0A 00")}},  // set 3 0002
    {"comCharSet", &Selection::comCharSet, 1, "USA", {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 30 0A 00")}},  // clear 1 000F, set 1 0000
    {"comCharSet", &Selection::comCharSet, 2, "France", {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 31 0A 00")}},  // clear 1 000F, set 1 0001
    {"comCharSet", &Selection::comCharSet, 3, "Germany", {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 32 0A 00")}},  // clear 1 000F, set 1 0002
    {"comCharSet", &Selection::comCharSet, 4, "U.K.", {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 33 0A 00")}},  // clear 1 000F, set 1 0003
    {"comCharSet", &Selection::comCharSet, 5, "Denmark #1", {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 34 0A 00")}},  // clear 1 000F, set 1 0004
    {"comCharSet", &Selection::comCharSet, 6, "Sweden", {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 35 0A 00")}},  // clear 1 000F, set 1 0005
    {"comCharSet", &Selection::comCharSet, 7, "Italy", {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 36 0A 00")}},  // clear 1 000F, set 1 0006
    {"comCharSet", &Selection::comCharSet, 8, "Spain #1", {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 37 0A 00")}},  // clear 1 000F, set 1 0007
    {"comCharSet", &Selection::comCharSet, 9, "Japan", {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 38 0A 00")}},  // clear 1 000F, set 1 0008
    {"comCharSet", &Selection::comCharSet, 10, "Norway", {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 39 0A 00")}},  // clear 1 000F, set 1 0009
    {"comCharSet", &Selection::comCharSet, 11, "Denmark #2", {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 41 0A 00")}},  // clear 1 000F, set 1 000A
    {"comCharSet", &Selection::comCharSet, 12, "Spain #2", {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 42 0A 00")}},  // clear 1 000F, set 1 000B
    {"comCharSet", &Selection::comCharSet, 13, "Latin America", {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 43 0A 00")}},  // clear 1 000F, set 1 000C
    {"comCharSet", &Selection::comCharSet, 14, "Korea", {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 44 0A 00")}},  // clear 1 000F, set 1 000D
    {"comCharSet", &Selection::comCharSet, 15, "Ireland", {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 45 0A 00")}},  // clear 1 000F, set 1 000E
    {"comCharSet", &Selection::comCharSet, 16, "Legal", {hex("1B 1D 23 2D 31 30 30 30 46 0A 00"), hex("1B 1D 23 2B 31 30 30 30 46 0A 00")}},  // clear 1 000F, set 1 000F
    {"comCPage", &Selection::comCPage, 1, "Normal", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 30 30 30 0A 00")}},  // clear 3 FF00, set 3 0000
    {"comCPage", &Selection::comCPage, 2, "437(USA,std. Europe) ", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 31 30 30 0A 00")}},  // clear 3 FF00, set 3 0100
    {"comCPage", &Selection::comCPage, 3, "Katakana", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 32 30 30 0A 00")}},  // clear 3 FF00, set 3 0200
    {"comCPage", &Selection::comCPage, 4, "437(USA,std. Europe)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 33 30 30 0A 00")}},  // clear 3 FF00, set 3 0300
    {"comCPage", &Selection::comCPage, 5, "858 (Multilingual)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 34 30 30 0A 00")}},  // clear 3 FF00, set 3 0400
    {"comCPage", &Selection::comCPage, 6, "852 (Latin-2)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 35 30 30 0A 00")}},  // clear 3 FF00, set 3 0500
    {"comCPage", &Selection::comCPage, 7, "860 (Portuguese)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 36 30 30 0A 00")}},  // clear 3 FF00, set 3 0600
    {"comCPage", &Selection::comCPage, 8, "861 (Icelandic)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 37 30 30 0A 00")}},  // clear 3 FF00, set 3 0700
    {"comCPage", &Selection::comCPage, 9, "863 (Canadian Frence)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 38 30 30 0A 00")}},  // clear 3 FF00, set 3 0800
    {"comCPage", &Selection::comCPage, 10, "865 (Nordic)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 39 30 30 0A 00")}},  // clear 3 FF00, set 3 0900
    {"comCPage", &Selection::comCPage, 11, "866 (Cyrillic Russian)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 41 30 30 0A 00")}},  // clear 3 FF00, set 3 0A00
    {"comCPage", &Selection::comCPage, 12, "855 (Cyrillic Bulgarian)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 42 30 30 0A 00")}},  // clear 3 FF00, set 3 0B00
    {"comCPage", &Selection::comCPage, 13, "857 (Turkish)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 43 30 30 0A 00")}},  // clear 3 FF00, set 3 0C00
    {"comCPage", &Selection::comCPage, 14, "862 (Hebrew)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 44 30 30 0A 00")}},  // clear 3 FF00, set 3 0D00
    {"comCPage", &Selection::comCPage, 15, "864 (Arabic)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 45 30 30 0A 00")}},  // clear 3 FF00, set 3 0E00
    {"comCPage", &Selection::comCPage, 16, "737 (Greek)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 30 46 30 30 0A 00")}},  // clear 3 FF00, set 3 0F00
    {"comCPage", &Selection::comCPage, 17, "851 (Greek)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 31 30 30 30 0A 00")}},  // clear 3 FF00, set 3 1000
    {"comCPage", &Selection::comCPage, 18, "869 (Greek)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 31 31 30 30 0A 00")}},  // clear 3 FF00, set 3 1100
    {"comCPage", &Selection::comCPage, 19, "928 (Greek)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 31 32 30 30 0A 00")}},  // clear 3 FF00, set 3 1200
    {"comCPage", &Selection::comCPage, 20, "772 (Lithuanian)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 31 33 30 30 0A 00")}},  // clear 3 FF00, set 3 1300
    {"comCPage", &Selection::comCPage, 21, "774 (Lithuanian)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 31 34 30 30 0A 00")}},  // clear 3 FF00, set 3 1400
    {"comCPage", &Selection::comCPage, 22, "874 (Thai)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 31 35 30 30 0A 00")}},  // clear 3 FF00, set 3 1500
    {"comCPage", &Selection::comCPage, 23, "1252 (Windows Latin-1)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 32 30 30 30 0A 00")}},  // clear 3 FF00, set 3 2000
    {"comCPage", &Selection::comCPage, 24, "1250 (Windows Latin-2)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 32 31 30 30 0A 00")}},  // clear 3 FF00, set 3 2100
    {"comCPage", &Selection::comCPage, 25, "1251 (Windows Cyrillic)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 32 32 30 30 0A 00")}},  // clear 3 FF00, set 3 2200
    {"comCPage", &Selection::comCPage, 26, "3840 (IBM-Russian)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 30 30 30 0A 00")}},  // clear 3 FF00, set 3 4000
    {"comCPage", &Selection::comCPage, 27, "3841 (Gost)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 31 30 30 0A 00")}},  // clear 3 FF00, set 3 4100
    {"comCPage", &Selection::comCPage, 28, "3843 (Polish)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 32 30 30 0A 00")}},  // clear 3 FF00, set 3 4200
    {"comCPage", &Selection::comCPage, 29, "3844 (CS2)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 33 30 30 0A 00")}},  // clear 3 FF00, set 3 4300
    {"comCPage", &Selection::comCPage, 30, "3845 (Hungarian)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 34 30 30 0A 00")}},  // clear 3 FF00, set 3 4400
    {"comCPage", &Selection::comCPage, 31, "3846 (Turkish)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 35 30 30 0A 00")}},  // clear 3 FF00, set 3 4500
    {"comCPage", &Selection::comCPage, 32, "3847 (Brazil-ABNT)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 36 30 30 0A 00")}},  // clear 3 FF00, set 3 4600
    {"comCPage", &Selection::comCPage, 33, "3848 (Brazil-ABICOMP)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 37 30 30 0A 00")}},  // clear 3 FF00, set 3 4700
    {"comCPage", &Selection::comCPage, 34, "1001 (Arabic)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 38 30 30 0A 00")}},  // clear 3 FF00, set 3 4800
    {"comCPage", &Selection::comCPage, 35, "2001 (Lithuaninan-KBL)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 39 30 30 0A 00")}},  // clear 3 FF00, set 3 4900
    {"comCPage", &Selection::comCPage, 36, "3001 (Estonian-1)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 41 30 30 0A 00")}},  // clear 3 FF00, set 3 4A00
    {"comCPage", &Selection::comCPage, 37, "3002 (Estonian-2)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 42 30 30 0A 00")}},  // clear 3 FF00, set 3 4B00
    {"comCPage", &Selection::comCPage, 38, "3011 (Latvian-1)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 43 30 30 0A 00")}},  // clear 3 FF00, set 3 4C00
    {"comCPage", &Selection::comCPage, 39, "3012 (Latvian-2)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 44 30 30 0A 00")}},  // clear 3 FF00, set 3 4D00
    {"comCPage", &Selection::comCPage, 40, "3021 (Bulgarian)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 45 30 30 0A 00")}},  // clear 3 FF00, set 3 4E00
    {"comCPage", &Selection::comCPage, 41, "3041 (Maltese)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 34 46 30 30 0A 00")}},  // clear 3 FF00, set 3 4F00
    {"comCPage", &Selection::comCPage, 42, "User Setting (Downloaded)", {hex("1B 1D 23 2D 33 46 46 30 30 0A 00"), hex("1B 1D 23 2B 33 46 46 30 30 0A 00")}},  // clear 3 FF00, set 3 FF00
    {"comZStyle", &Selection::comZStyle, 1, "No Slash", {hex("1B 1D 23 2D 31 30 30 31 30 0A 00")}},  // clear 1 0010
    {"comZStyle", &Selection::comZStyle, 2, "Slash", {hex("1B 1D 23 2B 31 30 30 31 30 0A 00")}},  // set 1 0010
    {"comLFeed", &Selection::comLFeed, 1, "4mm", {hex("1B 1D 23 2D 33 30 30 30 31 0A 00")}},  // clear 3 0001
    {"comLFeed", &Selection::comLFeed, 2, "3mm", {hex("1B 1D 23 2B 33 30 30 30 31 0A 00")}},  // set 3 0001
    {"comDensity", &Selection::comDensity, 1, "130% (Darkest)", {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 33 0A 00")}},  // clear 2 0007, set 2 0003
    {"comDensity", &Selection::comDensity, 2, "120%", {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 32 0A 00")}},  // clear 2 0007, set 2 0002
    {"comDensity", &Selection::comDensity, 3, "110%", {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 31 0A 00")}},  // clear 2 0007, set 2 0001
    {"comDensity", &Selection::comDensity, 4, "Normal", {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 34 0A 00")}},  // clear 2 0007, set 2 0004
    {"comDensity", &Selection::comDensity, 5, "90%", {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 35 0A 00")}},  // clear 2 0007, set 2 0005
    {"comDensity", &Selection::comDensity, 6, "80%", {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 36 0A 00")}},  // clear 2 0007, set 2 0006
    {"comDensity", &Selection::comDensity, 7, "70%", {hex("1B 1D 23 2D 32 30 30 30 37 0A 00"), hex("1B 1D 23 2B 32 30 30 30 37 0A 00")}},  // clear 2 0007, set 2 0007
    {"comSpeed", &Selection::comSpeed, 1, "150mm/second | 180mm/second", {hex("1B 1D 23 2D 32 30 30 33 30 0A 00")}},  // clear 2 0030
    {"comSpeed", &Selection::comSpeed, 2, "100mm/second | 120mm/second", {hex("1B 1D 23 2D 32 30 30 33 30 0A 00"), hex("1B 1D 23 2B 32 30 30 31 30 0A 00")}},  // clear 2 0030, set 2 0010
    {"comSpeed", &Selection::comSpeed, 3, "50mm/second | 75mm/second", {hex("1B 1D 23 2D 32 30 30 33 30 0A 00"), hex("1B 1D 23 2B 32 30 30 32 30 0A 00")}},  // clear 2 0030, set 2 0020
    {"comSpeed", &Selection::comSpeed, 4, "Optimum Density (QLX500 only)", {hex("1B 1D 23 2D 32 30 30 33 30 0A 00"), hex("1B 1D 23 2B 32 30 30 33 30 0A 00")}},  // clear 2 0030, set 2 0030
    {"comBMark", &Selection::comBMark, 1, "Off", {hex("1B 1D 23 2D 31 30 31 30 30 0A 00")}},  // clear 1 0100
    {"comBMark", &Selection::comBMark, 2, "On", {hex("1B 1D 23 2B 31 30 31 30 30 0A 00")}},  // set 1 0100
    {"comCSpacing", &Selection::comCSpacing, 1, "12 dot", {hex("1B 1D 23 2D 33 30 30 31 30 0A 00")}},  // clear 3 0010
    {"comCSpacing", &Selection::comCSpacing, 2, "15 dot", {hex("1B 1D 23 2B 33 30 30 31 30 0A 00")}},  // set 3 0010
    {"comPWidth", &Selection::comPWidth, 1, "82mm (80mm print area)", {hex("1B 1D 23 2D 34 30 30 30 37 0A 00"), hex("1B 1D 23 2B 34 30 30 30 32 0A 00")}},  // clear 4 0007, set 4 0002
    {"comPWidth", &Selection::comPWidth, 2, "80mm (72mm print area)", {hex("1B 1D 23 2D 34 30 30 30 37 0A 00")}},  // clear 4 0007
    {"comPWidth", &Selection::comPWidth, 3, "58mm (52.5mm print area)", {hex("1B 1D 23 2D 34 30 30 30 37 0A 00"), hex("1B 1D 23 2B 34 30 30 30 31 0A 00")}},  // clear 4 0007, set 4 0001
    {"comESCPOSColumns", &Selection::comESCPOSColumns, 1, "Standard", {hex("1B 1D 23 2D 34 30 30 31 30 0A 00")}},  // clear 4 0010
    {"comESCPOSColumns", &Selection::comESCPOSColumns, 2, "Maximum", {hex("1B 1D 23 2B 34 30 30 31 30 0A 00")}},  // set 4 0010
    {"cmbBigFont", &Selection::cmbBigFont, 1, "Default", {hex("1B 1D 23 2D 31 30 30 38 30 0A 00")}},  // clear 1 0080
    {"cmbBigFont", &Selection::cmbBigFont, 2, "Large", {hex("1B 1D 23 2B 31 30 30 38 30 0A 00")}},  // set 1 0080
    {"cmbEPSpacing", &Selection::cmbEPSpacing, 1, "No additional spacing", {hex("1B 1D 23 2D 33 30 30 43 30 0A 00")}},  // clear 3 00C0
    {"cmbEPSpacing", &Selection::cmbEPSpacing, 2, "1 dot spacing", {hex("1B 1D 23 2D 33 30 30 43 30 0A 00"), hex("1B 1D 23 2B 33 30 30 34 30 0A 00")}},  // clear 3 00C0, set 3 0040
    {"cmbEPSpacing", &Selection::cmbEPSpacing, 3, "2 dot spacing", {hex("1B 1D 23 2D 33 30 30 43 30 0A 00"), hex("1B 1D 23 2B 33 30 30 38 30 0A 00")}},  // clear 3 00C0, set 3 0080
    {"cmbEPSpacing", &Selection::cmbEPSpacing, 4, "3 dot spacing", {hex("1B 1D 23 2B 33 30 30 43 30 0A 00")}},  // set 3 00C0
    {"comContextCut", &Selection::comContextCut, 1, "Disabled", {hex("1B 1D 23 2D 46 46 38 30 30 0A 00")}},  // clear F F800
    {"comContextCut", &Selection::comContextCut, 2, "Enabled - Full Cut (count \"2\")", {hex("1B 1D 23 2D 46 46 30 30 30 0A 00"), hex("1B 1D 23 2B 46 32 38 30 30 0A 00")}},  // clear F F000, set F 2800
    {"comContextCut", &Selection::comContextCut, 3, "Enabled - Partial Cut (count \"2\")", {hex("1B 1D 23 2D 46 46 39 30 30 0A 00"), hex("1B 1D 23 2B 46 32 30 30 30 0A 00")}},  // clear F F900, set F 2000
    // clang-format on
};

}  // namespace Q6Test
