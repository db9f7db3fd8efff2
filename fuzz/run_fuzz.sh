#!/usr/bin/env bash
# Builds the preset reader fuzz target with clang (libFuzzer, AddressSanitizer, UBSan) in its own
# build folder and runs it for FUZZ_SECONDS (60 by default). Fails when an input crashes the reader;
# the input is kept in the run folder and belongs in tests/presets/ as a regression case.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${FUZZ_SECONDS:-60}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DQ6CONFIG_BUILD_TESTS=OFF -DQ6CONFIG_FUZZ=ON >/dev/null
cmake --build "$build" --target preset_reader_fuzz -j "$(nproc)"

run="$build/fuzz-run"
rm -rf "$run"
mkdir -p "$run/corpus" "$run/crashes"
# Inputs a little over the size limit, so that the refusal of large files is reached too.
if ! "$build/fuzz/preset_reader_fuzz" -max_total_time="$seconds" -max_len=66000 -timeout=10 \
  -rss_limit_mb=2048 -print_final_stats=1 -dict="$root/fuzz/preset.dict" \
  -artifact_prefix="$run/crashes/" "$run/corpus" "$root/fuzz/corpus"; then
  echo "preset reader fuzzing found a failing input:" >&2
  ls -l "$run/crashes" >&2
  exit 1
fi
echo "preset reader fuzzing: ${seconds}s without a failure"
