#!/usr/bin/env bash
# Builds the Debian package into build-deb/ (or $BUILD_DIR) and prints its path.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-deb}"
BUILD_DIR="$build" BUILD_TYPE=Release "$root/scripts/build.sh" -DQ6CONFIG_BUILD_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr >&2
(cd "$build" && cpack -G DEB >&2)
ls "$build"/q6config_*.deb
