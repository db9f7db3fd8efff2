#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/common/result.h"
#include "core/printer/commands.h"
#include "core/settings/settings_table.h"

// "Use Settings": the settings table's rows, walked in their order for a selection, give the
// commands of one exchange. The window sends them; q6config-cli sends and shows them.
namespace Q6 {

// The printer's cut field holds at most 127 quarter millimetres either way; the adjuster offers
// -10 mm to +31.75 mm.
inline constexpr int kCutStepsMin = -40;
inline constexpr int kCutStepsMax = 127;

// One setting's share of the exchange: its commands in the order they go out, and the rows of the
// settings whose values they carry: the setting's own row, then context-cut-feeds when the entry's
// masks hold the line-feed count. The write command that ends the exchange carries none.
struct SettingCommands {
  std::vector<const SettingRow*> settings;
  CommandList commands;
};
using UseSettingsPlan = std::vector<SettingCommands>;

// The commands of one "Use Settings" exchange, one part for each setting that sends any, in the
// table's order, then the write command; or a refusal when a value would build a malformed
// command. A refusal is shown before the link is opened.
Result<UseSettingsPlan> planUseSettings(const Selection& selection);

// The plan's commands in the order they go out, or its refusal: what the window sends.
Result<CommandList> buildUseSettings(const Selection& selection);

// The line-feed count as the operator typed it, or nothing when it does not fit the four-bit field.
std::optional<int> contextCutFeeds(std::string_view text);

}  // namespace Q6
