// What the main window gives the presets window: the sizes of the lists a preset sets, and the
// applying of a checked preset to its controls.
#include <QCheckBox>
#include <QComboBox>

#include "core/settings/settings_table.h"
#include "core/settings/window_content.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/main_window_layout.h"

// The main window's lists in the order their values stand in a preset file, as the settings
// table's preset column places them.
std::array<QComboBox*, Q6::kPresetListCount> frmMain::presetLists() const {
  std::array<QComboBox*, Q6::kPresetListCount> lists{};
  for (const Q6::SettingRow& row : Q6::settingsTable()) {
    if (row.kind == Q6::SettingKind::List && row.presetField >= 0 &&
        row.presetField < Q6::kPresetListCount) {
      lists[row.presetField] = Q6::settingList(*this, row.control);
    }
  }
  return lists;
}

// The list sizes come from the settings table for the selected model, as the command-line tool
// takes them; only a window without a model (never after start-up) counts its lists.
Q6::PresetListCounts frmMain::presetListCounts() const {
  const int model = cmbModel->currentIndex();
  Q6::PresetListCounts counts = Q6::presetListCounts(model);
  if (Q6::modelProfile(model) == nullptr) {
    const auto lists = presetLists();
    for (int i = 0; i < Q6::kPresetListCount; ++i) {
      counts[i] = lists[i]->count();
    }
  }
  return counts;
}

// One control at a time in file order: each setting runs its reaction, so the speed advice
// appears in the middle of loading, as when the operator picks the entry.
void frmMain::applyPreset(const Q6::PresetValues& values) {
  const auto lists = presetLists();
  if (values.lists) {
    for (int i = 0; i < Q6::kPresetTopSearch; ++i) {
      lists[i]->setCurrentIndex((*values.lists)[i]);
    }
  }
  if (values.cut) {
    chk_AdjustCutPos->setChecked(values.cut->on);
    if (values.cut->on) {
      AdjustCutPosition(values.cut->offsetMm);
    }
  }
  if (values.topSearch) {
    lists[Q6::kPresetTopSearch]->setCurrentIndex(*values.topSearch);
  }
}
