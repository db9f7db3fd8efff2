// Where a preset's values go, as the settings table says; apart from the reader so that the fuzz
// target builds the reader alone.
#include "core/cut_position/cut_offset.h"
#include "core/presets/preset_file.h"
#include "core/settings/settings_table.h"

namespace Q6 {

PresetListCounts presetListCounts(int model) {
  PresetListCounts counts{};
  for (const SettingRow& row : settingsTable()) {
    if (row.kind == SettingKind::List && row.presetField != kNoPresetField) {
      counts[row.presetField] = static_cast<int>(settingEntries(row, model).size());
    }
  }
  return counts;
}

void applyPreset(Selection& s, const PresetValues& values) {
  for (const SettingRow& row : settingsTable()) {
    if (row.presetField == kPresetCutField && values.cut) {
      s.chk_AdjustCutPos = values.cut->on;
      if (values.cut->on) {
        s.txtCutOffset = cutOffsetText(snapCutOffset(values.cut->offsetMm));
      }
    } else if (row.presetField == kPresetTopSearch && values.topSearch) {
      s.*(row.position) = *values.topSearch;
    } else if (row.presetField >= 0 && row.presetField < kPresetTopSearch && values.lists) {
      s.*(row.position) = (*values.lists)[row.presetField];
    }
  }
}

}  // namespace Q6
