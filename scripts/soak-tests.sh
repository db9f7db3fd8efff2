#!/usr/bin/env bash
# Finds tests that fail by chance before CI does: runs the whole suite ROUNDS times (default 5)
# while a CPU hog keeps every core busy, and prints each test that failed at least once with its
# count. Builds (or reuses) build/; --asan and --tsan add the sanitized builds, each run as often.
#   scripts/soak-tests.sh [ROUNDS] [--asan] [--tsan] [--only] [-R REGEX] [-L LABEL]
# --only leaves the plain build out; -R and -L pass a test selection on to ctest. The log of each
# round is kept in <build>/soak/. Exit status 0 when every round passed, 1 otherwise.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# shellcheck source=scripts/suite-builds.sh
source "$root/scripts/suite-builds.sh"

rounds=5
variants=(plain)
select=()
for ((i = 1; i <= $#; i++)); do
  arg="${!i}"
  case "$arg" in
    --asan) variants+=(asan) ;;
    --tsan) variants+=(tsan) ;;
    --only) variants=("${variants[@]/plain/}") ;;
    -R | -L)
      ((i++))
      select+=("$arg" "${!i}")
      ;;
    '' | *[!0-9]*)
      echo "usage: $0 [ROUNDS] [--asan] [--tsan] [--only] [-R REGEX] [-L LABEL]" >&2
      exit 2
      ;;
    *) rounds="$arg" ;;
  esac
done
read -r -a variants <<<"${variants[*]}"
if [[ ${#variants[@]} -eq 0 ]]; then
  echo "$0: --only leaves nothing to run; add --asan or --tsan" >&2
  exit 2
fi

"$root/scripts/install-deps.sh"
"$root/scripts/install-test-deps.sh"
for variant in "${variants[@]}"; do
  echo "== building $variant"
  suite_build "$variant"
done

hog=""
stop_hog() { [[ -z "$hog" ]] || kill "$hog" 2>/dev/null || true; }
trap stop_hog EXIT
stress-ng --cpu "$(nproc)" --quiet &
hog=$!

declare -A failures=()
failed_rounds=0
for variant in "${variants[@]}"; do
  dir="$(suite_dir "$variant")"
  mkdir -p "$dir/soak"
  for ((round = 1; round <= rounds; round++)); do
    log="$dir/soak/round-$round.log"
    start=$SECONDS
    status=0
    (suite_env "$variant" &&
      ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" \
        --timeout "$(suite_timeout "$variant")" "${select[@]}") >"$log" 2>&1 || status=$?
    summary="$(grep -E '^[0-9]+% tests passed' "$log" || echo "no summary (status $status)")"
    echo "$variant round $round/$rounds: $summary ($((SECONDS - start)) s)"
    if [[ $status -ne 0 ]]; then
      failed_rounds=$((failed_rounds + 1))
      # ctest lists the failed tests as "NUMBER:NAME", one a line.
      listed="$dir/Testing/Temporary/LastTestsFailed.log"
      [[ -f "$listed" ]] || echo "0:(the run itself; see the log)" >"$listed"
      while IFS=: read -r _ name; do
        [[ -n "$name" ]] && failures["$variant $name"]=$((${failures["$variant $name"]:-0} + 1))
      done <"$listed"
      rm -f "$listed"
      echo "   log: $log"
    fi
  done
done

if [[ $failed_rounds -eq 0 ]]; then
  echo "soak: every round passed (${variants[*]}, $rounds rounds each, $(nproc) cores busy)"
  exit 0
fi
echo "soak: $failed_rounds round(s) failed; tests that failed at least once (build, test, count):"
for key in "${!failures[@]}"; do
  echo "  $key  ${failures[$key]}/$rounds"
done | sort
exit 1
