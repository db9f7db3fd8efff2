#!/usr/bin/env bash
# Quick start: install what is missing (root and the network only the first time), build, and start
# the program. Arguments go to the program. Afterwards build/q6config starts it directly.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" -DQ6CONFIG_BUILD_TESTS=OFF
exec "${BUILD_DIR:-$root/build}/q6config" "$@"
