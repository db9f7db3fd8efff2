#!/usr/bin/env bash
# Measures start-up to the first shown main window, headless, and prints the median of several
# runs. Usage: bench/startup.sh [runs]   (default 11; build folder: $BUILD_DIR or build-bench/)
# Builds an optimised startup_bench first if the build folder has none.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"
runs="${1:-11}"

bench="$build/bench/startup_bench"
if [[ ! -x "$bench" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQ6CONFIG_BUILD_BENCH=ON \
    -DQ6CONFIG_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" --target startup_bench -j "$(nproc)" >/dev/null
fi

export QT_QPA_PLATFORM=offscreen
"$bench" >/dev/null 2>&1 || true  # warm the file cache; a cold first start is not the figure
launch=()
main=()
for ((i = 1; i <= runs; i++)); do
  read -r _ l m < <(Q6_BENCH_LAUNCH_NS="$(date +%s%N)" "$bench" 2>/dev/null | grep '^startup_ms')
  launch+=("$l")
  main+=("$m")
  printf 'run %2d: %7.1f ms from launch (%6.1f ms from main)\n' "$i" "$l" "$m"
done

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
echo "median start-up to first shown window: $(median "${launch[@]}") ms from launch" \
  "($(median "${main[@]}") ms from main), $runs runs"
