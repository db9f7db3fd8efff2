#!/usr/bin/env bash
# Builds q6config-cli and the fleet benchmark (optimised, without the tests) into build-bench/
# ($BENCH_BUILD_DIR; $BENCH_JOBS compile jobs, default 2) and runs it on 127.0.0.1 only: one fleet
# run to 200 printers against 200 single runs, then rounds of fleet runs to 10,000 and 1,000
# printers taking turns with a plain epoll sender of the same bytes and concurrency, and a dry run
# of 50,000 targets; before them, the record's costs (--record-only: those alone). Prints a
# PASS/FAIL line per goal and exits non-zero on any FAIL.
# Usage: bench/run_fleet_bench.sh [--rounds N] [--record-only] [CLI [PRESET]]
#        (default 9 rounds, at most 20)
#        bench/run_fleet_bench.sh --serve SECONDS   (the 10,000 printers alone, for a profiler)
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
