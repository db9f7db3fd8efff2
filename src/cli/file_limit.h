#pragma once

#include "cli/output.h"

namespace Q6Cli {

// The open-file limit is raised as far as this user may (the soft limit to the hard one); when the
// jobs would still need more files than that, they are lowered to fit, and the run says so once,
// in a note.
int fitJobsToFileLimit(int jobs, int targets, const Streams& io, QStringList* notes);

}  // namespace Q6Cli
