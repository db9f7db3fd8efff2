#!/usr/bin/env bash
# Builds the targets reader fuzz target with clang (libFuzzer, AddressSanitizer, UBSan) in the fuzz
# build folder and runs it for FUZZ_SECONDS (60 by default). Fails when an input crashes the reader
# or the parser or breaks what they promise; the input is kept in the run folder and belongs in
# tests/cli/ as a regression row.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${FUZZ_SECONDS:-60}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DQ6CONFIG_BUILD_TESTS=OFF -DQ6CONFIG_FUZZ=ON >/dev/null
cmake --build "$build" --target targets_fuzz -j "$(nproc)"

run="$build/targets-fuzz-run"
rm -rf "$run"
mkdir -p "$run/corpus" "$run/crashes"
printf 'tcp://printer.example:9100  # front desk\nfile:/dev/usb/lp0\n' >"$run/corpus/seed1"
printf 'serial:ttyUSB0?baud=19200&flow=hardware\r\nqueue:shop\n# c\n\ntcp://[::1]\n' \
  >"$run/corpus/seed2"
if ! "$build/fuzz/targets_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$run/crashes/" "$run/corpus"; then
  echo "targets reader fuzzing found a failing input:" >&2
  ls -l "$run/crashes" >&2
  exit 1
fi
echo "targets reader fuzzing: ${seconds}s without a failure"
