#pragma once

#include <QString>

#include "core/link/link_settings.h"

namespace Orvanel {

// What a connection test found: whether the link can be used as it stands, and one or two sentences
// for the operator (the target, and the reason when it cannot).
struct ProbeResult {
  bool ok = false;
  QString text;
};

// Opens the link the settings describe and closes it again without sending a byte, within the
// settings' time limit. A printer queue is asked for its state instead (opening it would start a
// job); a capture file that does not exist yet is not left behind. Blocking: the window calls it
// off its own thread. Never throws.
ProbeResult probeLink(const LinkSettings& settings);

// The queue part of probeLink: asks the print server about the queue, creating no job.
ProbeResult probeQueue(const QString& queue, int timeoutMs);

}  // namespace Orvanel
