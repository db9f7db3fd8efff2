#include "core/settings/use_settings.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/common/number_text.h"

namespace Q6 {

namespace {

void append(CommandList& out, const char* switchNumber, SwitchStep::Op op, std::string_view mask) {
  const QByteArrayView maskBytes(mask.data(), static_cast<qsizetype>(mask.size()));
  out.push_back(op == SwitchStep::Clear ? ClearSwitchBits(switchNumber, maskBytes)
                                        : SetSwitchBits(switchNumber, maskBytes));
}

// The fixed commands of a list position, or nothing for a position the list does not have.
const SwitchEntry* fixedEntry(const SettingRow& row, int position) {
  if (position < 1 || position > static_cast<int>(row.entries.size())) {
    return nullptr;
  }
  return &row.entries[static_cast<std::size_t>(position - 1)];
}

// Whether the row's commands for the selection hold the line-feed count in a mask.
bool needsFeeds(const SettingRow& row, const Selection& s) {
  const SwitchEntry* entry =
      row.kind == SettingKind::List ? fixedEntry(row, s.*(row.position)) : nullptr;
  return entry && std::any_of(entry->begin(), entry->end(), [](const SwitchStep& step) {
           return std::string_view(step.mask).find('#') != std::string_view::npos;
         });
}

const SettingRow* feedCountRow() {
  const auto& table = settingsTable();
  const auto row = std::find_if(table.begin(), table.end(), [](const SettingRow& r) {
    return r.kind == SettingKind::FeedCount;
  });
  return row == table.end() ? nullptr : &*row;
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

QString feedsRefusal(const std::string& typed) {
  // The window hands its text over as Latin-1; a pasted page of text need not fill the box.
  QString shown = QString::fromLatin1(typed).trimmed();
  constexpr int kShownLimit = 20;
  if (shown.size() > kShownLimit) {
    shown = shown.left(kShownLimit) + QStringLiteral("...");
  }
  return QStringLiteral(
             "The number of line feeds for the contextual auto cut must be a number from 0 to "
             "%1; the box holds \"%2\". Nothing has been sent to the printer.")
      .arg(kMaxContextCutFeeds)
      .arg(shown);
}

CommandList settingCommands(const SettingRow& row, const Selection& s, int feeds) {
  CommandList out;
  if (row.kind == SettingKind::CutOffset) {
    if (s.chk_AdjustCutPos) {
      append(out, row.switchNumber, SwitchStep::Clear, row.fieldMask);
      append(out, row.switchNumber, SwitchStep::Set, cutOffsetMask(s.txtCutOffset));
    }
    return out;
  }
  if (row.kind != SettingKind::List) {
    return out;
  }
  const int position = s.*(row.position);
  if (row.fieldValue) {
    const std::string value = row.fieldValue(position);
    if (!value.empty()) {
      append(out, row.switchNumber, SwitchStep::Clear, row.fieldMask);
      append(out, row.switchNumber, SwitchStep::Set, value);
    }
    return out;
  }
  if (const SwitchEntry* entry = fixedEntry(row, position)) {
    const std::string digit = hexUpper(static_cast<std::uint64_t>(feeds));
    for (const SwitchStep& step : *entry) {
      std::string mask = step.mask;
      if (const std::size_t hash = mask.find('#'); hash != std::string::npos) {
        mask.replace(hash, 1, digit);
      }
      append(out, row.switchNumber, step.op, mask);
    }
  }
  return out;
}

}  // namespace

std::optional<int> contextCutFeeds(std::string_view text) {
  const std::int64_t count = roundHalfEven(leadingNumber(text));
  if (count < 0 || count > kMaxContextCutFeeds) {
    return std::nullopt;
  }
  return static_cast<int>(count);
}

Result<UseSettingsPlan> planUseSettings(const Selection& s) {
  // Refuse before anything is built, so that a refusal never leaves half a batch behind.
  int feeds = 0;
  for (const SettingRow& row : settingsTable()) {
    if (needsFeeds(row, s)) {
      const std::optional<int> count = contextCutFeeds(s.txtContFeeds);
      if (!count) {
        return Refused{feedsRefusal(s.txtContFeeds)};
      }
      feeds = *count;
    }
  }

  UseSettingsPlan plan;
  for (const SettingRow& row : settingsTable()) {
    SettingCommands part{{&row}, settingCommands(row, s, feeds)};
    if (part.commands.empty()) {
      continue;
    }
    if (needsFeeds(row, s)) {
      part.settings.push_back(feedCountRow());
    }
    plan.push_back(std::move(part));
  }
  plan.push_back({{}, {writeCommand()}});
  return plan;
}

QString settingValue(const SettingRow& row, const Selection& s, int model) {
  switch (row.kind) {
    case SettingKind::List: {
      const int position = s.*(row.position);
      const QStringList names = entryNames(settingEntries(row, model));
      return position > 0 && position < names.size() ? names[position] : QString();
    }
    case SettingKind::CutOffset: {
      // The quarter steps the command carries, so that "-2.50" and "-2.5" are one value.
      const std::int64_t steps = std::clamp<std::int64_t>(
          roundHalfEven(leadingNumber(s.txtCutOffset) / 0.25), kCutStepsMin, kCutStepsMax);
      return QString::number(static_cast<double>(steps) * 0.25);
    }
    case SettingKind::FeedCount: {
      const std::optional<int> count = contextCutFeeds(s.txtContFeeds);
      return count ? QString::number(*count) : QString();
    }
  }
  return {};
}

QStringList carriedSettings(const SettingCommands& part, const Selection& s, int model) {
  QStringList carried;
  for (const SettingRow* row : part.settings) {
    carried << QLatin1String(row->name) + u'=' + settingValue(*row, s, model);
  }
  return carried;
}

UseSettingsPlan changedParts(const UseSettingsPlan& plan, const Selection& s, int model,
                             const QHash<QString, QString>& knownValues) {
  UseSettingsPlan changed;
  for (const SettingCommands& part : plan) {
    if (part.settings.empty()) {
      continue;  // the write command goes only with something to write
    }
    const bool differs = std::any_of(part.settings.begin(), part.settings.end(), [&](auto* row) {
      const auto known = knownValues.constFind(QLatin1String(row->name));
      return known == knownValues.cend() || *known != settingValue(*row, s, model);
    });
    if (differs) {
      changed.push_back(part);
    }
  }
  if (!changed.empty()) {
    for (const SettingCommands& part : plan) {
      if (part.settings.empty()) {
        changed.push_back(part);
      }
    }
  }
  return changed;
}

Result<CommandList> buildUseSettings(const Selection& s) {
  const Result<UseSettingsPlan> plan = planUseSettings(s);
  if (!plan) {
    return Refused{plan.error()};
  }
  CommandList out;
  for (const SettingCommands& part : *plan) {
    out.insert(out.end(), part.commands.begin(), part.commands.end());
  }
  return out;
}

}  // namespace Q6
