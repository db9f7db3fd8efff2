#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "link/commands.h"
#include "presets/preset_file.h"
#include "settings/use_settings.h"

// One table of the printer settings the main window offers: the name a script uses for each, the
// window's control and caption, where "Use Settings" reads it, and its entries per model. The
// entries come from the window's own lists (window_content), so positions always agree with it.
namespace Q6 {

enum class SettingKind {
  List,       // a drop-down list; the value is a position, 0 being "No Change"
  CutOffset,  // chk_AdjustCutPos with txtCutOffset
  FeedCount,  // txtContFeeds, the line feeds of the contextual auto cut
};

struct SettingRow {
  const char* name;     // "form-feed"
  const char* control;  // "comFF"
  const char* caption;  // the window's caption
  SettingKind kind;
  int Selection::*position;  // List only
  bool qlx500Only;           // shown on the QLX500 alone; the QLX600 keeps it at "No Change"
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
// word of exactly one script name ("1252" for "1252-windows-latin-1"). Nothing with error set
// otherwise.
std::optional<int> findEntry(const SettingRow& row, int model, const QString& entry,
                             QString* error);

// The sizes of the lists a preset fills, for the model, as the window has them.
PresetListCounts presetListCounts(int model);

// Puts a checked preset's values where the presets window puts them: lists, then the cut adjuster
// (snapped as the adjuster does), then top search.
void applyPreset(Selection& selection, const PresetValues& values);

// Sets NAME=ENTRY. Returns an error text (naming the setting and entry) when the setting is unknown
// or not offered by the model, the entry is not one of its entries, a cut offset is not a number of
// millimetres from -10 to 31.75, or a line-feed count is not a whole number from 0 to 15.
QString applyChoice(Selection& selection, int model, const QString& name, const QString& entry);

// The commands "Use Settings" sends for the selection, grouped by the setting that sends them, with
// a label such as `form-feed = partial-cut ("Partial Cut")`. The last group is the write command.
struct CommandGroup {
  QString label;
  CommandList commands;
};
std::vector<CommandGroup> explainUseSettings(const Selection& selection, int model);

}  // namespace Q6
