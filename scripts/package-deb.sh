#!/usr/bin/env bash
# Builds the Debian package into build-deb/ (or $BUILD_DIR) and prints its path. The programs are
# compiled with the hardening flags Debian builds its own packages with (dpkg-buildflags, every
# hardening feature on: _FORTIFY_SOURCE, the stack protector, relro and bindnow).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-deb}"
flags() { (cd "$root" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"); }
BUILD_DIR="$build" BUILD_TYPE=Release "$root/scripts/build.sh" -DQ6CONFIG_BUILD_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >&2
(cd "$build" && cpack -G DEB >&2)
ls "$build"/q6config_*.deb
