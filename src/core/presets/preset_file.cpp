#include "core/presets/preset_file.h"

#include <algorithm>
#include <string_view>

#include "core/common/number_text.h"
#include "core/common/whole_file.h"

namespace Q6 {

namespace {

constexpr QByteArrayView kMagic("VQ6PREV");
constexpr QByteArrayView kOff("OFF");

// Field numbers (0-based) of what follows the description.
constexpr int kFirstListField = 2;
constexpr int kCutField = 11;
constexpr int kTopSearchField = 12;

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

bool endsField(char c) {
  return c == ',' || c == '\r' || c == '\n';
}

std::string_view view(QByteArrayView bytes) {
  return {bytes.data(), static_cast<std::size_t>(bytes.size())};
}

// Steps over the comma or line end at pos; a CR LF pair counts as one line end.
qsizetype skipDelimiter(QByteArrayView data, qsizetype pos) {
  if (pos >= data.size()) {
    return pos;
  }
  if (data[pos] == '\r' && pos + 1 < data.size() && data[pos + 1] == '\n') {
    return pos + 2;
  }
  return pos + 1;
}

// "OFF" selects "No Change"; a number n selects position n + 1. A position outside the list as it
// stands is refused rather than clamped: a file written for other lists must not half-apply.
std::optional<int> listPosition(QByteArrayView field, int count) {
  if (field == kOff) {
    return count > 0 ? std::optional<int>(0) : std::nullopt;
  }
  const std::int64_t n = roundHalfEven(leadingNumber(view(field)));
  // Compared before adding 1 so that a huge n cannot overflow.
  if (n < -1 || n > static_cast<std::int64_t>(count) - 2) {
    return std::nullopt;
  }
  return static_cast<int>(n + 1);
}

std::optional<PresetCut> cutValue(QByteArrayView field) {
  if (field == kOff) {
    return PresetCut{false, 0.0f};
  }
  if (!isWholeNumber(view(field))) {
    return std::nullopt;
  }
  // The adjuster limits the offset to its range anyway; keeping the value finite spares it an
  // infinity from a number like 1e999.
  const double mm = std::clamp(leadingNumber(view(field)) + 1.0, -1.0e6, 1.0e6);
  return PresetCut{true, static_cast<float>(mm)};
}

}  // namespace

std::vector<QByteArray> presetFields(QByteArrayView data, int maxFields) {
  std::vector<QByteArray> fields;
  qsizetype pos = 0;
  while (static_cast<int>(fields.size()) < maxFields && pos < data.size()) {
    while (pos < data.size() && isBlank(data[pos])) {
      ++pos;
    }
    if (pos < data.size() && data[pos] == '"') {
      const qsizetype start = pos + 1;
      qsizetype close = data.indexOf('"', start);
      if (close < 0) {
        close = data.size();
      }
      fields.push_back(data.sliced(start, close - start).toByteArray());
      pos = std::min(close + 1, data.size());
      while (pos < data.size() && !endsField(data[pos])) {
        ++pos;
      }
    } else {
      const qsizetype start = pos;
      while (pos < data.size() && !endsField(data[pos])) {
        ++pos;
      }
      qsizetype end = pos;
      while (end > start && isBlank(data[end - 1])) {
        --end;
      }
      fields.push_back(data.sliced(start, end - start).toByteArray());
    }
    pos = skipDelimiter(data, pos);
  }
  return fields;
}

std::optional<std::int64_t> presetVersion(QByteArrayView field1) {
  if (!field1.startsWith(kMagic)) {
    return std::nullopt;
  }
  return roundHalfEven(leadingNumber(view(field1.sliced(kMagic.size()))));
}

std::optional<QString> presetDescription(QByteArrayView data) {
  if (data.size() > kPresetFileLimit) {
    return std::nullopt;
  }
  const std::vector<QByteArray> fields = presetFields(data, 2);
  if (fields.empty() || !presetVersion(fields[0])) {
    return std::nullopt;
  }
  return fields.size() > 1 ? QString::fromLatin1(fields[1]) : QString();
}

Result<PresetValues> checkPreset(QByteArrayView data, const PresetListCounts& counts) {
  const Refused corrupt{presetRefusalText(PresetRefusal::Corrupt)};
  if (data.isEmpty() || data.size() > kPresetFileLimit) {
    return corrupt;
  }
  const std::vector<QByteArray> fields = presetFields(data, kTopSearchField + 1);
  const std::optional<std::int64_t> version =
      fields.empty() ? std::nullopt : presetVersion(fields[0]);
  if (!version) {
    return corrupt;
  }
  if (*version > kHighestPresetVersion) {
    return Refused{presetRefusalText(PresetRefusal::LaterVersion)};
  }
  PresetValues values;
  values.version = *version;
  if (*version >= 1) {
    // Version 1 has the fields up to the line spacing; each later version adds one.
    const std::size_t needed = static_cast<std::size_t>(kCutField + *version - 1);
    if (fields.size() < needed) {
      return corrupt;
    }
    std::array<int, kPresetTopSearch> lists{};
    for (int i = 0; i < kPresetTopSearch; ++i) {
      const std::optional<int> position = listPosition(fields[kFirstListField + i], counts[i]);
      if (!position) {
        return corrupt;
      }
      lists[i] = *position;
    }
    values.lists = lists;
  }
  if (*version >= 2) {
    values.cut = cutValue(fields[kCutField]);
    if (!values.cut) {
      return corrupt;
    }
  }
  if (*version >= 3) {
    values.topSearch = listPosition(fields[kTopSearchField], counts[kPresetTopSearch]);
    if (!values.topSearch) {
      return corrupt;
    }
  }
  return values;
}

Result<QByteArray> readPresetFile(const QString& path) {
  // One byte past the limit, so that the checks refuse a larger file as they refuse larger data.
  const WholeFile file = readWholeFile(path, kPresetFileLimit + 1);
  if (file.error == kNotAnOrdinaryFile) {
    return Refused{QStringLiteral("it is not an ordinary file")};
  }
  if (file.error != 0) {
    return Refused{systemReason(file.error)};
  }
  return file.bytes;
}

QString presetRefusalText(PresetRefusal refusal) {
  switch (refusal) {
    case PresetRefusal::Corrupt:
      return QString::fromUtf8(QT_TRANSLATE_NOOP("Q6::Messages", "Corrupt preset file"));
    case PresetRefusal::LaterVersion:
      return QString::fromUtf8(QT_TRANSLATE_NOOP(
          "Q6::Messages",
          "This preset file is designed for a later version of the QLX600 Setup Utility!"));
    case PresetRefusal::None:
      break;
  }
  return {};
}

QString incorrectPresetText(const QString& fileName) {
  return QString::fromUtf8(kIncorrectPresetTemplate).arg(fileName);
}

}  // namespace Q6
