// Feeds arbitrary bytes to the preset reader. Besides the sanitizers' checks it traps when a file
// the reader accepts carries anything the presets window could not apply safely.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/presets/preset_file.h"

namespace {

void require(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

bool inList(int position, int count) {
  return position >= 0 && position < count;
}

void checkWith(QByteArrayView bytes, const Q6::PresetListCounts& counts) {
  const Q6::Result<Q6::PresetValues> check = Q6::checkPreset(bytes, counts);
  const QString corrupt = Q6::presetRefusalText(Q6::PresetRefusal::Corrupt);
  const std::vector<QByteArray> fields = Q6::presetFields(bytes, 1);
  const auto version = fields.empty() ? std::nullopt : Q6::presetVersion(fields[0]);
  if (bytes.isEmpty() || bytes.size() > Q6::kPresetFileLimit || !version) {
    require(check.error() == corrupt);
    return;
  }
  if (*version > Q6::kHighestPresetVersion) {
    require(check.error() == Q6::presetRefusalText(Q6::PresetRefusal::LaterVersion));
    return;
  }
  if (!check) {
    require(check.error() == corrupt && *version >= 1);
    return;
  }
  const Q6::PresetValues& v = *check;
  require(v.version == *version);
  require(v.lists.has_value() == (v.version >= 1));
  require(v.cut.has_value() == (v.version >= 2));
  require(v.topSearch.has_value() == (v.version >= 3));
  if (v.lists) {
    for (int i = 0; i < Q6::kPresetTopSearch; ++i) {
      require(inList((*v.lists)[i], counts[i]));
    }
  }
  if (v.cut && v.cut->on) {
    require(std::isfinite(v.cut->offsetMm));
  }
  if (v.topSearch) {
    require(inList(*v.topSearch, counts[Q6::kPresetTopSearch]));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

  const std::vector<QByteArray> fields = Q6::presetFields(bytes, 13);
  require(fields.size() <= 13);
  qsizetype total = 0;
  for (const QByteArray& f : fields) {
    total += f.size();
  }
  require(total <= bytes.size());

  const std::optional<QString> description = Q6::presetDescription(bytes);
  if (description) {
    require(description->size() <= bytes.size());
  }

  // Both models' lists, and lists too short for any real preset.
  checkWith(bytes, {4, 4, 8, 4, 3, 17, 43, 3, 3, 4});
  checkWith(bytes, {4, 4, 8, 5, 3, 17, 43, 3, 3, 4});
  checkWith(bytes, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
  checkWith(bytes, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  return 0;
}
