#!/usr/bin/env bash
# Measures start-up to the first painted main window, headless, side by side with an empty window
# holding a QTabWidget of seven pages (the same program with --baseline), taking turns so that both
# see the same machine; prints both medians and their ratio. Each round also starts the window in a
# translated language ($Q6_BENCH_LANGUAGE, default German), and the figure for it is the median of
# the rounds' ratios translated / English.
# Usage: bench/startup.sh [runs] [other startup_bench]   (default 11 runs; build folder: $BUILD_DIR
# or build-bench/)
# Given another build's startup_bench (say one from before a change), each round runs it too. The
# order within a round is reversed every other round so that a machine slowing down or speeding up
# weighs on all alike; the ratios are medians of each round's ratios, with their interquartile
# range as the noise.
# Builds an optimised startup_bench first if the build folder has none.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"
runs="${1:-11}"
other="${2:-}"
language="${Q6_BENCH_LANGUAGE:-de_DE.UTF-8}"

bench="$build/bench/startup_bench"
if [[ ! -x "$bench" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQ6CONFIG_BUILD_BENCH=ON \
    -DQ6CONFIG_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" --target startup_bench -j "$(nproc)" >/dev/null
fi
if [[ -n "$other" && ! -x "$other" ]]; then
  echo "startup.sh: no program at $other" >&2
  exit 2
fi

export QT_QPA_PLATFORM=offscreen
# English unless a run says otherwise; LANGUAGE would override LANG.
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=en_US.UTF-8
# Warm the file cache; a cold first start is not the figure.
for program in "$bench" ${other:+"$other"}; do
  "$program" >/dev/null 2>&1 || true
done
"$bench" --baseline >/dev/null 2>&1 || true

# One start; prints the milliseconds from launch and from main.
start() {
  local l m
  read -r _ l m < <(Q6_BENCH_LAUNCH_NS="$(date +%s%N)" "$@" 2>/dev/null | grep '^startup_ms')
  echo "$l $m"
}

launch=()
main=()
base=()
translated=()
translated_ratio=()
before=()
ratio=()
before_ratio=()
paired=()
for ((i = 1; i <= runs; i++)); do
  order=(base this translated ${other:+other})
  if ((i % 2 == 0)); then
    order=(${other:+other} translated this base)
  fi
  for which in "${order[@]}"; do
    case "$which" in
      base) read -r b _ < <(start "$bench" --baseline) ;;
      this) read -r l m < <(start "$bench") ;;
      translated) read -r t _ < <(LANG="$language" start "$bench") ;;
      other) read -r o _ < <(start "$other") ;;
    esac
  done
  launch+=("$l")
  main+=("$m")
  base+=("$b")
  ratio+=("$(awk -v a="$l" -v b="$b" 'BEGIN { print a / b }')")
  translated+=("$t")
  translated_ratio+=("$(awk -v a="$t" -v b="$l" 'BEGIN { print a / b }')")
  if [[ -n "$other" ]]; then
    before+=("$o")
    before_ratio+=("$(awk -v a="$o" -v b="$b" 'BEGIN { print a / b }')")
    paired+=("$(awk -v a="$l" -v b="$o" 'BEGIN { print a / b }')")
    printf 'run %2d: %7.1f ms from launch (%6.1f ms from main); other %7.1f ms;' "$i" "$l" "$m" "$o"
    printf ' translated %7.1f ms; empty tab window %7.1f ms\n' "$t" "$b"
  else
    printf 'run %2d: %7.1f ms from launch (%6.1f ms from main); translated %7.1f ms;' \
      "$i" "$l" "$m" "$t"
    printf ' empty tab window %7.1f ms\n' "$b"
  fi
done

# The q-quantile of the arguments (linear between neighbours).
quantile() {
  local q="$1"
  shift
  printf '%s\n' "$@" | sort -g | awk -v q="$q" '{ v[NR] = $1 }
    END { p = 1 + q * (NR - 1); k = int(p); f = p - k; print (k < NR) ? v[k] + f * (v[k + 1] - v[k]) : v[k] }'
}
median() { quantile 0.5 "$@"; }
spread() { printf '%.3f-%.3f' "$(quantile 0.25 "$@")" "$(quantile 0.75 "$@")"; }

window_ms="$(median "${launch[@]}")"
base_ms="$(median "${base[@]}")"
echo "median start-up to first painted window: $window_ms ms from launch" \
  "($(median "${main[@]}") ms from main), $runs runs"
echo "median empty window with seven tabs: $base_ms ms from launch"
awk -v w="$window_ms" -v b="$base_ms" 'BEGIN { printf "ratio main window / empty tab window: %.2fx (goal <= 1.25x)\n", w / b }'
printf 'median of the rounds'"'"' ratios to the empty window: %.3fx (interquartile %s)\n' \
  "$(median "${ratio[@]}")" "$(spread "${ratio[@]}")"
echo "median translated start-up ($language): $(median "${translated[@]}") ms from launch"
printf 'median of the rounds'"'"' ratios translated / English: %.3fx (interquartile %s; goal <= 1.03x)\n' \
  "$(median "${translated_ratio[@]}")" "$(spread "${translated_ratio[@]}")"
if [[ -n "$other" ]]; then
  echo "median start-up of the other program: $(median "${before[@]}") ms from launch"
  printf 'median of its rounds'"'"' ratios to the empty window: %.3fx (interquartile %s)\n' \
    "$(median "${before_ratio[@]}")" "$(spread "${before_ratio[@]}")"
  printf 'median of the rounds'"'"' ratios this / other: %.3fx (interquartile %s)\n' \
    "$(median "${paired[@]}")" "$(spread "${paired[@]}")"
fi
