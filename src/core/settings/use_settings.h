#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

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

// The value a setting of the plan takes, as a script names it: a list's entry name
// ("partial-cut"), the cut offset in millimetres as a plain number ("-2.5", "0"), the line-feed
// count as a number ("2"). Empty for a list position the model does not offer.
QString settingValue(const SettingRow& row, const Selection& selection, int model);

// The settings a part carries, "name=entry" in the part's order; none for the write command.
QStringList carriedSettings(const SettingCommands& part, const Selection& selection, int model);

// The parts of the plan that would change what the printer holds: those carrying at least one
// setting whose known value (name -> value, only for settings known for certain) differs from the
// wanted one, then the write command. A setting missing from knownValues (unknown, or at the
// factory's value) always differs. Empty when no part differs: nothing needs to be sent.
UseSettingsPlan changedParts(const UseSettingsPlan& plan, const Selection& selection, int model,
                             const QHash<QString, QString>& knownValues);

// The line-feed count as the operator typed it, or nothing when it does not fit the four-bit field.
std::optional<int> contextCutFeeds(std::string_view text);

}  // namespace Q6
