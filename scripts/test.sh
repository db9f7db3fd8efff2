#!/usr/bin/env bash
# Quick start for the tests: install what is missing, build, and run every test headless.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/install-test-deps.sh"
"$root/scripts/build.sh" -DQ6CONFIG_BUILD_TESTS=ON
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${BUILD_DIR:-$root/build}" --output-on-failure -j "$(nproc)" --timeout 300
