#!/usr/bin/env bash
# The record's costs with the record on a PostgreSQL server of the bench's own: builds the fleet
# benchmark as run_fleet_bench.sh does, starts a private server (a cluster in a temporary folder,
# its Unix socket there, never as root), makes a database for each record the benchmark uses, runs
# `q6config_fleet_bench --record-server`, and stops the server. Prints the benchmark's PASS/FAIL
# lines and exits as it does.
# Usage: bench/run_record_server_bench.sh [CLI [PRESET]]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BENCH_BUILD_DIR:-$root/build-bench}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQ6CONFIG_BUILD_BENCH=ON \
  -DQ6CONFIG_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target q6config_fleet_bench q6config-cli -j "${BENCH_JOBS:-2}" >/dev/null

bin="$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)"
[[ -x "$bin/initdb" ]] || { echo "PostgreSQL is not installed (scripts/install-test-deps.sh)" >&2; exit 2; }
work="$(mktemp -d /tmp/q6config-record-bench-XXXXXX)"
run_as=()
if [[ $(id -u) -eq 0 ]]; then
  chown postgres: "$work"
  run_as=(runuser -u postgres --)
fi
stop() {
  "${run_as[@]}" "$bin/pg_ctl" -D "$work/data" -m fast stop >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap stop EXIT
"${run_as[@]}" "$bin/initdb" -D "$work/data" -U bench --auth=trust >/dev/null
"${run_as[@]}" "$bin/pg_ctl" -D "$work/data" -l "$work/log" -w \
  -o "-k $work -c listen_addresses='' -c max_connections=50" start >/dev/null
for name in record_{0..8} changes hold four_{0..2} one_{0..2}; do
  "${run_as[@]}" "$bin/psql" -h "$work" -U bench -d postgres -qc "CREATE DATABASE $name" >/dev/null
done
"$build/bench/q6config_fleet_bench" --record-server "postgresql://bench@/{}?host=$work" "$@"
