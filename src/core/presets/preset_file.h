#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/common/result.h"
#include "core/settings/settings_table.h"

// Preset files: 8-bit text, one field per line, that hold prepared choices for ten of the main
// window's lists and for the cut position adjuster. Everything here works on bytes and values
// only; frmPresets moves the controls.
namespace Q6 {

// Larger files are refused without being read: a preset is a few hundred bytes, and the limit
// keeps a stray large file in the folder from stalling the window.
inline constexpr qsizetype kPresetFileLimit = 64 * 1024;

inline constexpr int kHighestPresetVersion = 3;

// Number of entries, "No Change" included, that each list holds at the moment of applying. The
// speed list depends on the model, so the caller takes these from the lists as they stand.
using PresetListCounts = std::array<int, kPresetListCount>;

// Splits the start of a preset file into at most maxFields fields. A field ends at a comma or at a
// line end (CR LF, a lone LF or a lone CR); blanks in front of it are skipped. A field that begins
// with a double quote runs to the next double quote, line ends and commas included; whatever
// follows the closing quote up to the field's end is dropped. Blanks at the end of an unquoted
// field are dropped. Returns fewer fields when the data ends first.
std::vector<QByteArray> presetFields(QByteArrayView data, int maxFields);

// The version written after the magic of field 1, or nothing when field 1 does not begin with the
// magic. A field without a number after the magic is version 0.
std::optional<std::int64_t> presetVersion(QByteArrayView field1);

// What selecting a file shows: its description (field 2, each byte one character), or nothing when
// the data is not a preset. The version is not examined, so a file from a later version still
// shows its description. A preset without a second field has an empty description.
std::optional<QString> presetDescription(QByteArrayView data);

enum class PresetRefusal { None, Corrupt, LaterVersion };

struct PresetCut {
  bool on = false;
  float offsetMm = 0.0f;  // the offset to set when on: the stored number plus 1
};

// A preset that was checked whole and may be applied. Positions are list positions, 0 being
// "No Change". Only what the file's version holds is present.
struct PresetValues {
  std::int64_t version = 0;
  std::optional<std::array<int, kPresetTopSearch>> lists;  // version 1 and up: comFF … comLFeed
  std::optional<PresetCut> cut;                            // version 2 and up
  std::optional<int> topSearch;                            // version 3 and up
};

// Reads and checks a whole preset before anything is applied. Refused as corrupt: empty data, data
// over the size limit, no magic, fewer fields than the version needs, a list value whose position
// falls outside its list as counted now, a cut value that is neither "OFF" nor a number filling
// the whole field. A version above the highest known one is refused as such. A version of 0 or less
// is accepted and carries nothing to apply. A refusal's text is presetRefusalText's.
Result<PresetValues> checkPreset(QByteArrayView data, const PresetListCounts& counts);

// The bytes of a preset file, at most one past the size limit (checkPreset and presetDescription
// refuse that), or the system's reason why it cannot be read ("No such file or directory", "Is a
// directory"); a pipe or device is refused unread, as it could block the window.
Result<QByteArray> readPresetFile(const QString& path);

// The sizes of the lists a preset fills, for the model, as the window has them (all 0 without a
// model); taken from the settings table.
PresetListCounts presetListCounts(int model);

// Puts a checked preset's values into the selection, each where the settings table says the
// file's field belongs; the cut offset snapped as the adjuster does.
void applyPreset(Selection& selection, const PresetValues& values);

// Texts of the refusals (empty for None) and of the warning shown on selecting a file that is not a
// preset.
QString presetRefusalText(PresetRefusal refusal);
inline const QString kIncorrectPresetTitle =
    QString::fromUtf8(QT_TRANSLATE_NOOP("Q6::Messages", "Incorrect Preset File"));
// The window finds the file's name in the text by this template to show it translated.
inline constexpr char kIncorrectPresetTemplate[] = QT_TRANSLATE_NOOP(
    "Q6::Messages",
    "The preset '%1' does not appear to be a preset file.\n  This may be a corrupt file or it "
    "may require a more revent version of the Vorla QLX600 Setup utility.");
QString incorrectPresetText(const QString& fileName);

}  // namespace Q6
