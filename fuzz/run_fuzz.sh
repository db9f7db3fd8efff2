#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) in their own build folder
# and runs each from its committed corpus (fuzz/corpus/<target>/). Arguments name the targets to
# run (all three by default).
#
# Under CI (CI=true) a run is reproducible: a fixed seed and a fixed number of inputs per target
# (FUZZ_RUNS). Elsewhere each target runs freely for FUZZ_SECONDS (60 by default) with a random
# seed. A failing input is kept in the run folder; it belongs in the target's corpus folder and as a
# row in the reader's tests.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${FUZZ_SECONDS:-60}"
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(preset_reader targets settings_file)

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DQ6CONFIG_BUILD_TESTS=OFF -DQ6CONFIG_FUZZ=ON >/dev/null
cmake --build "$build" --target "${targets[@]/%/_fuzz}" -j "$(nproc)"

for target in "${targets[@]}"; do
  extra=()
  case "$target" in
    # Inputs a little over the size limit, so that the refusal of large files is reached too.
    preset_reader) extra=(-max_len=66000 -dict="$root/fuzz/preset.dict"); runs=400000 ;;
    targets) extra=(-max_len=4096); runs=400000 ;;
    # Every input is a file written, synced and renamed: keep it on a memory file system.
    settings_file) extra=(-max_len=8192); runs=5000 ;;
    *) echo "unknown fuzz target: $target" >&2; exit 2 ;;
  esac
  if [[ "${CI:-}" == true ]]; then
    extra+=(-seed=1 -runs="${FUZZ_RUNS:-$runs}")
  else
    extra+=(-max_total_time="$seconds")
  fi
  run="$build/fuzz-run/$target"
  rm -rf "$run"
  mkdir -p "$run/corpus" "$run/crashes"
  tmp="${TMPDIR:-/tmp}"
  [[ "$target" == settings_file && -d /dev/shm && -w /dev/shm ]] && tmp=/dev/shm
  echo "== fuzzing $target (${extra[*]: -2})"
  if ! TMPDIR="$tmp" "$build/fuzz/${target}_fuzz" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "${extra[@]}" -artifact_prefix="$run/crashes/" \
    "$run/corpus" "$root/fuzz/corpus/$target"; then
    echo "fuzzing $target found a failing input:" >&2
    ls -l "$run/crashes" >&2
    exit 1
  fi
  rm -rf "$tmp"/q6config-settings-fuzz-*
  echo "fuzzing $target: no failure"
done
