#!/usr/bin/env bash
# Configures and builds into build/ (or $BUILD_DIR). Extra arguments go to cmake.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
# Warnings are errors in the project's own builds; a plain cmake (a distribution's) leaves them
# warnings. Later arguments win, so -DQ6CONFIG_WARNINGS_AS_ERRORS=OFF still turns it off here.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" \
  -DQ6CONFIG_WARNINGS_AS_ERRORS=ON "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
