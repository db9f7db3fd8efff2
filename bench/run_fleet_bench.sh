#!/usr/bin/env bash
# Builds q6config-cli and the fleet benchmark (optimised, without the tests) into build-bench/ and
# times one fleet run to 200 loopback printers (--jobs 32) against 200 single-target runs one after
# the other. Exits non-zero when it reports FAIL.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BENCH_BUILD_DIR:-$root/build-bench}"
generator=()
if command -v ninja >/dev/null 2>&1; then
  generator=(-G Ninja)
fi
cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DQ6CONFIG_BUILD_BENCH=ON -DQ6CONFIG_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target q6config_fleet_bench -j "${BENCH_JOBS:-2}"
"$build/bench/q6config_fleet_bench" "$@"
