#!/usr/bin/env bash
# A picture of the --html report for the documentation (docs/html-report.png): a small fleet on
# this machine's loopback only (printers that take the bytes, one that refuses, one whose folder is
# not there), set up once and then sent a changed preset with --changes-only, the page drawn by
# headless chromium with no network.
#   scripts/report-screenshot.sh [build folder]      (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
cli="$build/q6config-cli"
[[ -x "$cli" ]] || { echo "build q6config-cli first ($cli)" >&2; exit 1; }
command -v chromium >/dev/null || { echo "chromium is needed (scripts/install-test-deps.sh)" >&2; exit 1; }

work="$(mktemp -d)"
sink=""
cleanup() { [[ -n "$sink" ]] && kill "$sink" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
# Printers on 127.0.0.1: each port takes whatever comes and closes when the sender does.
python3 - "$work/ports" <<'PY' &
import selectors, socket, sys
sel = selectors.DefaultSelector()
ports = []
for _ in range(5):
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    s.listen(16)
    sel.register(s, selectors.EVENT_READ, None)
    ports.append(s.getsockname()[1])
open(sys.argv[1], "w").write(" ".join(map(str, ports)) + "\n")
while True:
    for key, _ in sel.select():
        if key.data is None:
            conn, _ = key.fileobj.accept()
            sel.register(conn, selectors.EVENT_READ, "conn")
        elif not key.fileobj.recv(65536):
            sel.unregister(key.fileobj)
            key.fileobj.close()
PY
sink=$!
for _ in $(seq 50); do [[ -s "$work/ports" ]] && break; sleep 0.1; done
read -r -a ports <"$work/ports"
closed=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
export Q6CONFIG_RECORD="$work/record.sqlite3"
targets=()
for port in "${ports[@]}"; do targets+=("tcp://127.0.0.1:$port"); done
targets+=("tcp://127.0.0.1:$closed" "file:back-office/receipts.bin")
# From the folder itself, so that the page names the preset and the file printer as a person would.
cd "$work"
mkdir Presets
cp "$root/tests/cli/data/worked_example.pre" Presets/ticket-shop.pre
wanted=(--model QLX500 --set form-feed=partial-cut code-page=1252 cut-offset=2.5)
"$cli" apply "${wanted[@]}" --to "${targets[@]:0:2}" >/dev/null
"$cli" apply --model QLX500 --set form-feed=full-cut --to "${targets[2]}" >/dev/null
"$cli" apply "${wanted[@]}" --changes-only --timeout 2000 --to "${targets[@]}" \
  --html "$work/report.html" >/dev/null 2>&1 || true
browser=(chromium --headless --no-sandbox --disable-gpu --no-first-run --hide-scrollbars
         --disable-background-networking --disable-component-update --proxy-server=127.0.0.1:9
         "--host-resolver-rules=MAP * ~NOTFOUND" --user-data-dir="$work/profile")
if unshare -n true 2>/dev/null; then browser=(unshare -n "${browser[@]}"); fi
"${browser[@]}" --window-size=1280,880 --screenshot="$root/docs/html-report.png" \
  "file://$work/report.html" >/dev/null 2>&1
ls -l "$root/docs/html-report.png"
