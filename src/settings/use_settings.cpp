#include "settings/use_settings.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "common/number_text.h"

namespace Q6 {

namespace {

enum class Op { Clear, Set };

struct Step {
  Op op;
  const char* mask;
};

Step clear(const char* mask) {
  return {Op::Clear, mask};
}
Step set(const char* mask) {
  return {Op::Set, mask};
}

// The commands of one list position, in the order they go out.
using Entry = std::initializer_list<Step>;

void append(CommandList& out, const char* switchNumber, Op op, std::string_view mask) {
  const QByteArrayView maskBytes(mask.data(), static_cast<qsizetype>(mask.size()));
  out.push_back(op == Op::Clear ? ClearSwitchBits(switchNumber, maskBytes)
                                : SetSwitchBits(switchNumber, maskBytes));
}

// A list whose every position has fixed commands. entries[0] belongs to position 1; positions
// the list does not have (and -1, no selection) send nothing.
void appendFixed(CommandList& out, const char* switchNumber, int index,
                 std::initializer_list<Entry> entries) {
  if (index < 1 || index > static_cast<int>(entries.size())) {
    return;
  }
  for (const Step& step : entries.begin()[index - 1]) {
    append(out, switchNumber, step.op, step.mask);
  }
}

// A computed field always gets the clear of the whole field first, even when the new value is 0.
void appendField(CommandList& out, const char* switchNumber, const char* fieldMask,
                 const std::string& value) {
  append(out, switchNumber, Op::Clear, fieldMask);
  append(out, switchNumber, Op::Set, value);
}

// Quarter millimetres with the sign in bit 7. The adjuster already snaps its text into range, but
// a text from anywhere else must not spill into a third hex digit or wrap into the sign bit, so
// it is held at the same limits.
std::string cutOffsetMask(std::string_view text) {
  const std::int64_t steps = std::clamp<std::int64_t>(roundHalfEven(leadingNumber(text) / 0.25),
                                                      kCutStepsMin, kCutStepsMax);
  const std::uint64_t byte =
      steps < 0 ? 0x80u | static_cast<std::uint64_t>(-steps) : static_cast<std::uint64_t>(steps);
  return hexUpper(byte, 2) + "00";
}

// The count as the operator typed it, or nothing when it does not fit the four-bit field.
std::optional<int> contextCutFeeds(std::string_view text) {
  const std::int64_t count = roundHalfEven(leadingNumber(text));
  if (count < 0 || count > kMaxContextCutFeeds) {
    return std::nullopt;
  }
  return static_cast<int>(count);
}

QString feedsRefusal(const std::string& typed) {
  QString shown = QString::fromStdString(typed).trimmed();
  constexpr int kShownLimit = 20;  // a pasted page of text need not fill the box
  if (shown.size() > kShownLimit) {
    shown = shown.left(kShownLimit) + QStringLiteral("...");
  }
  return QStringLiteral(
             "The number of line feeds for the contextual auto cut must be a number from 0 to "
             "%1; the box holds \"%2\". Nothing has been sent to the printer.")
      .arg(kMaxContextCutFeeds)
      .arg(shown);
}

}  // namespace

std::string GetCodePageHex(int index) {
  if (index < 1 || index > kCodePageEntries) {
    return {};
  }
  const int n = index - 1;
  int code = n + 39;
  if (n <= 21) {
    code = n;
  } else if (n <= 24) {
    code = n + 10;
  } else if (n == 41) {
    code = 0xFF;
  }
  return hexUpper(static_cast<std::uint64_t>(code));
}

std::string GetDensityHex(int index) {
  if (index < 1 || index > kDensityEntries) {
    return {};
  }
  // The list runs darkest first, but "Normal" is 4 on the printer, not 0.
  const int digit = index < 4 ? 4 - index : index;
  return hexUpper(static_cast<std::uint64_t>(digit));
}

UseSettingsPlan buildUseSettings(const Selection& s) {
  // Refuse before anything is built, so that a refusal never leaves half a batch behind.
  std::optional<int> feeds;
  if (s.comContextCut == 2 || s.comContextCut == 3) {
    feeds = contextCutFeeds(s.txtContFeeds);
    if (!feeds) {
      return UseSettingsPlan{{}, feedsRefusal(s.txtContFeeds)};
    }
  }

  CommandList out;

  appendFixed(out, "0", s.comFF, {{clear("000C")}, {set("000C")}, {clear("0008"), set("0004")}});
  // "Off" clears bit 0 alone: the alternative-ID bit stays as the printer has it.
  appendFixed(out, "C", s.comDeviceID,
              {{clear("0001")}, {clear("0004"), set("0001")}, {set("0005")}});
  appendFixed(out, "1", s.comTopSearch,
              {{clear("0600")}, {clear("0400"), set("0200")}, {set("0600")}});
  appendFixed(out, "A", s.comNESensor, {{clear("0100")}, {set("0100")}});
  appendFixed(out, "3", s.comCRcode, {{clear("0002")}, {set("0002")}});

  if (s.comCharSet >= 1 && s.comCharSet <= kCharSetEntries) {
    appendField(out, "1", "000F", "000" + hexUpper(static_cast<std::uint64_t>(s.comCharSet - 1)));
  }
  if (s.comCPage >= 1 && s.comCPage <= kCodePageEntries) {
    std::string code = GetCodePageHex(s.comCPage);
    code.insert(0, 2 - code.size(), '0');
    appendField(out, "3", "FF00", code + "00");
  }

  appendFixed(out, "1", s.comZStyle, {{clear("0010")}, {set("0010")}});
  appendFixed(out, "3", s.comLFeed, {{clear("0001")}, {set("0001")}});

  if (s.comDensity >= 1 && s.comDensity <= kDensityEntries) {
    appendField(out, "2", "0007", "000" + GetDensityHex(s.comDensity));
  }

  // The positions stand for the model's fastest, middle and slowest speed, so the values are the
  // same for both models; position 4 exists on the QLX500 only.
  appendFixed(out, "2", s.comSpeed,
              {{clear("0030")},
               {clear("0030"), set("0010")},
               {clear("0030"), set("0020")},
               {clear("0030"), set("0030")}});

  appendFixed(out, "1", s.comBMark, {{clear("0100")}, {set("0100")}});

  if (s.chk_AdjustCutPos) {
    appendField(out, "2", "FF00", cutOffsetMask(s.txtCutOffset));
  }

  appendFixed(out, "3", s.comCSpacing, {{clear("0010")}, {set("0010")}});
  // 82 mm is value 2, 80 mm value 0, 58 mm value 1.
  appendFixed(out, "4", s.comPWidth,
              {{clear("0007"), set("0002")}, {clear("0007")}, {clear("0007"), set("0001")}});
  appendFixed(out, "4", s.comESCPOSColumns, {{clear("0010")}, {set("0010")}});
  appendFixed(out, "1", s.cmbBigFont, {{clear("0080")}, {set("0080")}});
  appendFixed(
      out, "3", s.cmbEPSpacing,
      {{clear("00C0")}, {clear("00C0"), set("0040")}, {clear("00C0"), set("0080")}, {set("00C0")}});

  // Both enabling entries clear the whole count field first, so that a count stored earlier
  // cannot combine bitwise with the new one.
  if (s.comContextCut == 1) {
    append(out, "F", Op::Clear, "F800");
  } else if (feeds) {
    const std::string digit = hexUpper(static_cast<std::uint64_t>(*feeds));
    if (s.comContextCut == 2) {
      appendField(out, "F", "F000", digit + "800");
    } else {
      appendField(out, "F", "F900", digit + "000");
    }
  }

  out.push_back(writeCommand());
  return UseSettingsPlan{std::move(out), {}};
}

}  // namespace Q6
