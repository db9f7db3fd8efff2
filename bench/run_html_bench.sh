#!/usr/bin/env bash
# What --html costs a fleet run, and how the page behaves in a browser, on this machine only: runs
# of 10,000 file: printers (a preset, no record) with and without --html, taking turns (which goes
# first alternates), compared by their medians; the page's size; then the page in headless chromium
# (no network) with a measuring script added to a copy: the time until the table is laid out, a
# search by name and a filter by status, each with a layout forced, by the browser's own clock.
# Prints a PASS/FAIL line per goal and exits non-zero on any FAIL.
# Usage: bench/run_html_bench.sh [CLI] [ROUNDS]    (default build/q6config-cli, 9 rounds)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cli="${1:-$root/build/q6config-cli}"
rounds="${2:-9}"
count=10000
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/p"
for ((i = 0; i < count; i++)); do echo "file:$work/p/$i.bin"; done >"$work/targets.txt"
run=("$cli" apply --model QLX500 --preset "$root/tests/cli/data/worked_example.pre" --no-record
     --targets "$work/targets.txt" --jobs 16)
export Q6CONFIG_RECORD="$work/record.sqlite3"

ms() { echo $(($(date +%s%N) / 1000000)); }
# The processor time of a run (user and system, in ms): what --html adds to it, whatever else the
# machine is doing at the time; the wall-clock time beside it.
cpu() {
  local TIMEFORMAT='%3U %3S' spent
  spent="$({ time "$@" >/dev/null 2>&1; } 2>&1)"
  awk '{printf "%d", ($1 + $2) * 1000}' <<<"$spent"
}
# The printers' files are made once and appended to from then on, as a capture file is: made
# afresh each run, 10,000 files just deleted cost the file system most of the run's processor
# time, several times more in one run than the next, which buries what the page costs.
cpu "${run[@]}" >/dev/null
plain=()
paged=()
for ((r = 0; r < rounds; r++)); do
  if ((r % 2 == 0)); then
    plain+=($(cpu "${run[@]}"))
    paged+=($(cpu "${run[@]}" --html "$work/page.html"))
  else
    paged+=($(cpu "${run[@]}" --html "$work/page.html"))
    plain+=($(cpu "${run[@]}"))
  fi
done
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
range() { printf '%s\n' "$@" | sort -n | sed -n '1p;$p' | paste -sd-; }
plain_ms=$(median "${plain[@]}")
paged_ms=$(median "${paged[@]}")
size=$(stat -c %s "$work/page.html")
failures=0
verdict() {  # goal, ok (0/1), figures
  if [[ "$2" == 1 ]]; then echo "PASS $1: $3"; else echo "FAIL $1: $3"; failures=$((failures + 1)); fi
}
added=$(( (paged_ms - plain_ms) * 100 / plain_ms ))
verdict "--html adds at most 10% to a run to $count printers" $((added <= 10)) \
  "processor time, medians of $rounds: ${plain_ms} ms without ($(range "${plain[@]}")), \
${paged_ms} ms with ($(range "${paged[@]}")): ${added}%"
verdict "the page of $count printers is under 10 MB" $((size < 10000000)) \
  "$size bytes ($((size / count)) a printer)"

if ! command -v chromium >/dev/null; then
  echo "SKIP the browser's figures: chromium is not installed (scripts/install-test-deps.sh)"
  exit $((failures > 0))
fi
# The copy measured: without the page's policy, which would refuse the added script, and with the
# script after the page's own, so that it runs once the document is read.
sed -e '/Content-Security-Policy/d' -e 's|</body>||' "$work/page.html" >"$work/timed.html"
cat >>"$work/timed.html" <<'SCRIPT'
<script>
(function () {
  var read = performance.now();
  document.body.offsetHeight;
  var laidOut = performance.now();
  var box = document.getElementById('find');
  var t = performance.now();
  box.value = '9999.bin';
  box.dispatchEvent(new Event('input'));
  document.body.offsetHeight;
  var search = performance.now() - t;
  t = performance.now();
  box.value = '';
  box.dispatchEvent(new Event('input'));
  document.body.offsetHeight;
  var clear = performance.now() - t;
  t = performance.now();
  document.getElementById('show-unchanged').checked = true;
  document.body.offsetHeight;
  var filter = performance.now() - t;
  var out = document.createElement('pre');
  out.id = 'bench';
  out.textContent = 'read=' + read.toFixed(1) + ' laidout=' + laidOut.toFixed(1) + ' search=' +
      search.toFixed(1) + ' clear=' + clear.toFixed(1) + ' filter=' + filter.toFixed(1);
  document.body.appendChild(out);
})();
</script>
</body>
</html>
SCRIPT
browser=(chromium --headless --no-sandbox --disable-gpu --no-first-run
         --disable-background-networking --disable-component-update --proxy-server=127.0.0.1:9
         "--host-resolver-rules=MAP * ~NOTFOUND" --user-data-dir="$work/profile")
if unshare -n true 2>/dev/null; then browser=(unshare -n "${browser[@]}"); fi
figures="$("${browser[@]}" --dump-dom "file://$work/timed.html" 2>/dev/null |
  sed -n 's|.*<pre id="bench">\(.*\)</pre>.*|\1|p')"
[[ -n "$figures" ]] || { echo "FAIL the browser gave no figures"; exit 1; }
get() { sed -E "s/.*$1=([0-9.]+).*/\1/" <<<"$figures"; }
laid=$(get laidout); search=$(get search); filter=$(get filter); clear=$(get clear)
verdict "the page opens in under 2 s" "$(awk -v v="$laid" 'BEGIN{print (v < 2000)}')" \
  "laid out ${laid} ms after the browser began ($(get read) ms of it reading the file)"
verdict "the search answers in under 100 ms" \
  "$(awk -v a="$search" -v b="$clear" 'BEGIN{print (a < 100 && b < 100)}')" \
  "${search} ms to one printer, ${clear} ms back to all"
verdict "the status filter answers in under 100 ms" "$(awk -v v="$filter" 'BEGIN{print (v < 100)}')" \
  "${filter} ms"
t=$(ms)
"${browser[@]}" --window-size=1280,800 --screenshot="$work/shot.png" "file://$work/page.html" \
  >/dev/null 2>&1
echo "     the browser started, drew the page of $count printers and saved it in $(($(ms) - t)) ms"
exit $((failures > 0))
