#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

#include "core/common/result.h"

// One table of the printer settings the main window offers: the name a script uses for each, the
// window's control and caption, where "Use Settings" reads it, its entries per model, the
// memory-switch commands of each entry and the place of its value in a preset file. The entries
// come from the window's own lists (window_content), so positions always agree with it. Adding a
// setting is one row; the settings map, the preset reader and the command-line tool follow it.
namespace Q6 {

struct ModelProfile;

// What "Use Settings" reads from the main window: list positions (0 = "No Change", -1 = nothing
// selected), the cut adjuster's check box and text, and the line-feed count text.
struct Selection {
  int comFF = 0;
  int comDeviceID = 0;
  int comTopSearch = 0;
  int comNESensor = 0;
  int comCRcode = 0;
  int comCharSet = 0;
  int comCPage = 0;
  int comZStyle = 0;
  int comLFeed = 0;
  int comDensity = 0;
  int comSpeed = 0;
  int comBMark = 0;
  bool chk_AdjustCutPos = false;
  std::string txtCutOffset = " 0mm";
  int comCSpacing = 0;
  int comPWidth = 0;
  int comESCPOSColumns = 0;
  int cmbBigFont = 0;
  int cmbEPSpacing = 0;
  int comContextCut = 0;
  std::string txtContFeeds = "2";
};

// Entries after "No Change" in the lists whose value is computed from the position.
inline constexpr int kCharSetEntries = 16;
inline constexpr int kCodePageEntries = 42;
inline constexpr int kDensityEntries = 7;

// The line-feed count fills the four top bits of switch F.
inline constexpr int kMaxContextCutFeeds = 15;

// Code of the code page at comCPage position `index`, upper-case hex without leading zeros;
// empty for a position that names no code page.
std::string GetCodePageHex(int index);
// The density digit for comDensity position `index` (1-7); empty for any other position.
std::string GetDensityHex(int index);

// The lists a preset sets, in the order their fields appear in the file (fields 3 to 11, then
// field 13 for top search; field 12 is the cut value).
enum PresetList : int {
  kPresetFF,
  kPresetDeviceID,
  kPresetDensity,
  kPresetSpeed,
  kPresetBMark,
  kPresetCharSet,
  kPresetCPage,
  kPresetZStyle,
  kPresetLFeed,
  kPresetTopSearch,
  kPresetListCount
};

// The cut value (field 12) is no list; the cut adjuster's row is marked with this.
inline constexpr int kPresetCutField = kPresetListCount;

enum class SettingKind {
  List,       // a drop-down list; the value is a position, 0 being "No Change"
  CutOffset,  // chk_AdjustCutPos with txtCutOffset
  FeedCount,  // txtContFeeds, the line feeds of the contextual auto cut
};

// One memory-switch command of an entry: clear or set the mask's bits of the row's switch. A '#'
// in a mask stands for the hex digit of the line-feed count (txtContFeeds).
struct SwitchStep {
  enum Op { Clear, Set } op;
  const char* mask;  // four hex digits, as they go out
};
using SwitchEntry = std::vector<SwitchStep>;

// A field whose value is worked out from the position: the four mask digits to set for a list
// position, empty for a position the list does not have.
using FieldValue = std::string (*)(int position);

// Where a list's entries come from: one list for both models, or the model's own (speed, paper
// width).
struct ListEntries {
  const QStringList& (*fixed)() = nullptr;
  QStringList ModelProfile::*perModel = nullptr;
};

// Not stored in preset files.
inline constexpr int kNoPresetField = -1;

struct SettingRow {
  const char* name;     // "form-feed"
  const char* control;  // "comFF"
  const char* caption;  // the window's caption
  SettingKind kind;
  int Selection::*position;  // List only
  ListEntries listEntries;   // List only; "No Change" first
  bool qlx500Only;           // shown on the QLX500 alone; the QLX600 keeps it at "No Change"

  const char* switchNumber;  // "0" to "F"; nullptr for a value sent with another row
  // Fixed commands per list position: entries[0] belongs to position 1. Positions past the end
  // (and 0, -1) send nothing.
  std::vector<SwitchEntry> entries;
  // Where a preset file holds the value: a PresetList position for a list, kPresetCutField for
  // the cut adjuster, kNoPresetField when presets leave it alone.
  int presetField = kNoPresetField;
  // A computed field (and the cut offset): the whole field is cleared first, even when the new
  // value is 0, then the value set.
  const char* fieldMask = nullptr;
  FieldValue fieldValue = nullptr;
};

// Every setting, in the order "Use Settings" sends them.
const std::vector<SettingRow>& settingsTable();
const SettingRow* findSetting(const QString& name);

// "QLX500" / "QLX600" (any case, with or without the maker's name) to a cmbModel position.
std::optional<int> modelFromName(const QString& name);
QString modelName(int model);  // "QLX500" / "QLX600"

bool settingAvailable(const SettingRow& row, int model);
// The list's entries for the model, "No Change" first; empty for a setting that is not a list or
// that the model does not offer.
QStringList settingEntries(const SettingRow& row, int model);

// The name a script gives an entry: its text in lower case with every run of other characters than
// letters and digits turned into one "-" ("Partial Cut" -> "partial-cut"). Entries that would get
// the same name are told apart by "-2", "-3" in list order.
QStringList entryNames(const QStringList& entries);

// The list position that `entry` names: its script name, its text exactly (any case), or the first
// word of exactly one script name ("1252" for "1252-windows-latin-1"). Refused otherwise, naming
// the entries.
Result<int> findEntry(const SettingRow& row, int model, const QString& entry);

// Sets NAME=ENTRY. Refused (naming the setting and entry) when the setting is unknown
// or not offered by the model, the entry is not one of its entries, a cut offset is not a number of
// millimetres from -10 to 31.75, or a line-feed count is not a whole number from 0 to 15.
Result<> applyChoice(Selection& selection, int model, const QString& name, const QString& entry);

}  // namespace Q6
