#pragma once

#include <QString>

namespace Q6Cli {

// The whole of --help: the commands, the options, the targets, the exit status, the tests and
// every setting with its entries per model.
QString helpText();

}  // namespace Q6Cli
