#pragma once

#include <QStringList>

#include <optional>
#include <vector>

#include "cli/fleet.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/payload.h"
#include "core/record/printer_record.h"

namespace Q6Cli {

// What each target is sent, and what it is told about it. Targets that would be sent the same
// parts share one command list.
struct Decisions {
  FleetCommands commands;            // lists only; listOf is per target of `sending`
  std::vector<int> listOf;           // per target: its list, or -1 when nothing needs sending
  std::vector<QStringList> carried;  // per list: the settings it carries, "name=entry"
  std::vector<TargetNote> notes;     // per target
};

// For each of `count` targets, from what the record says each printer holds (states, in the order
// of the targets; nothing when the record is not used): --changes-only and --check leave out what
// a printer holds already, --force and every other run send it all.
Decisions decide(const Options& o, const Payload& payload, size_t count,
                 const std::optional<std::vector<Q6::PrinterState>>& states);

}  // namespace Q6Cli
