#!/usr/bin/env bash
# Builds the benchmarks (optimised, without the tests) into build-bench/ and runs the network
# benchmark: its three ways take turns round by round, and the medians of the per-round ratios are
# compared with the limits. Exits non-zero when it reports FAIL. Extra arguments go to the
# benchmark, e.g. --rounds=31 (default 21).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BENCH_BUILD_DIR:-$root/build-bench}"
generator=()
if command -v ninja >/dev/null 2>&1; then
  generator=(-G Ninja)
fi
cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DQ6CONFIG_BUILD_BENCH=ON -DQ6CONFIG_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target q6config_network_bench -j "${BENCH_JOBS:-2}"
QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$build/bench/q6config_network_bench" "$@"
