#pragma once

#include <QString>

#include <optional>

#include "cli/command.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/payload.h"

namespace Q6Cli {

// What a sending command sends for its command line; nothing with *error set when it sends nothing.
using BuildPayload = std::optional<Payload> (*)(const Options& o, QString* error);

// The run of apply, reset and test over their targets. Everything is read and checked before the
// first link opens, so that a refusal sends nothing anywhere; then each target gets what the record
// says it lacks (or all of it), with an entry in the record begun before its first byte, the lines
// for people as each target ends, and the --json report at the end. With --check nothing is sent:
// the run says which printers would change.
int runSend(const Options& o, const Streams& io, const Command& command, BuildPayload build);

}  // namespace Q6Cli
