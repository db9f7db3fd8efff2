#!/usr/bin/env bash
# Runs the outbox bench against a PostgreSQL server of its own (a throwaway cluster in a temporary
# folder, on a Unix socket only). Usage: bench/run_outbox_bench.sh [BUILD_DIR] [ENTRIES]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
entries="${2:-100000}"
bin="$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)"
dir="$(mktemp -d)"
run=()
if [[ "$(id -u)" == 0 ]]; then
  chown postgres "$dir"
  run=(setpriv --reuid=postgres --regid=postgres --clear-groups --)
fi
cleanup() {
  "${run[@]}" "$bin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$dir"
}
trap cleanup EXIT
"${run[@]}" "$bin/initdb" -D "$dir/data" -U bench --auth=trust --no-sync >/dev/null
"${run[@]}" "$bin/pg_ctl" -D "$dir/data" -w -l "$dir/log" \
  -o "-k $dir -c listen_addresses='' -p 5499 -c fsync=off" start >/dev/null
"${run[@]}" "$bin/createdb" -h "$dir" -p 5499 -U bench q6
"$build/bench/q6config_outbox_bench" "postgresql:///q6?host=$dir&port=5499&user=bench" "$entries"
