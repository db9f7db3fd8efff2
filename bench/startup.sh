#!/usr/bin/env bash
# Measures start-up to the first painted main window, headless, side by side with an empty window
# holding a QTabWidget of seven pages (the same program with --baseline), taking turns so that both
# see the same machine; prints both medians and their ratio. Usage: bench/startup.sh [runs]   (default 11; build folder: $BUILD_DIR or build-bench/)
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
"$bench" --baseline >/dev/null 2>&1 || true
launch=()
main=()
base=()
for ((i = 1; i <= runs; i++)); do
  read -r _ b _ < <(Q6_BENCH_LAUNCH_NS="$(date +%s%N)" "$bench" --baseline 2>/dev/null | grep '^startup_ms')
  read -r _ l m < <(Q6_BENCH_LAUNCH_NS="$(date +%s%N)" "$bench" 2>/dev/null | grep '^startup_ms')
  launch+=("$l")
  main+=("$m")
  base+=("$b")
  printf 'run %2d: %7.1f ms from launch (%6.1f ms from main); empty tab window %7.1f ms\n' "$i" "$l" "$m" "$b"
done

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
window_ms="$(median "${launch[@]}")"
base_ms="$(median "${base[@]}")"
echo "median start-up to first painted window: $window_ms ms from launch" \
  "($(median "${main[@]}") ms from main), $runs runs"
echo "median empty window with seven tabs: $base_ms ms from launch"
awk -v w="$window_ms" -v b="$base_ms" 'BEGIN { printf "ratio main window / empty tab window: %.2fx (goal <= 1.3x)\n", w / b }'
