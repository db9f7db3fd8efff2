#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

#include "core/link/commands.h"
#include "core/presets/preset_file.h"
#include "core/settings/use_settings.h"

// One table of the printer settings the main window offers: the name a script uses for each, the
// window's control and caption, where "Use Settings" reads it, its entries per model, the
// memory-switch commands of each entry and the place of its value in a preset file. The entries
// come from the window's own lists (window_content), so positions always agree with it. Adding a
// setting is one row; the settings map, the preset reader and the command-line tool follow it.
namespace Q6 {

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

// Not stored in preset files.
inline constexpr int kNoPresetField = -1;

struct SettingRow {
  const char* name;     // "form-feed"
  const char* control;  // "comFF"
  const char* caption;  // the window's caption
  SettingKind kind;
  int Selection::*position;  // List only
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

// The commands of one row for the selection, in the order they go out (without the write command).
// `feeds` is the line-feed count the '#' of a mask stands for, already checked.
CommandList settingCommands(const SettingRow& row, const Selection& selection, int feeds);

// The commands "Use Settings" sends for the selection, grouped by the setting that sends them, with
// a label such as `form-feed = partial-cut ("Partial Cut")`. The last group is the write command.
struct CommandGroup {
  QString label;
  CommandList commands;
};
std::vector<CommandGroup> explainUseSettings(const Selection& selection, int model);

}  // namespace Q6
