#pragma once

#include <optional>

namespace Q6 {

// What the program does before it opens its window: answers --help, --version and --list-presets
// without a window, and says in one line that there is no display instead of letting Qt abort.
// Returns the exit code when the program ends here, nothing when the window is to open.
std::optional<int> startWithoutWindow(int argc, char** argv);

}  // namespace Q6
