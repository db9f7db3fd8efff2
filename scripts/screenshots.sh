#!/usr/bin/env bash
# Pictures of every window in a shipped language, for the documentation: the layout check draws
# each window on a private X display (Xvfb with openbox, the desktop's own fonts) and leaves a
# picture of each; the pictures of the languages asked for land in docs/screenshots/<language>/,
# and the English record window in docs/record-window.png.
#   scripts/screenshots.sh [build folder] [language...]      (default: build de)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
shift || true
languages=("${@:-de}")
test_program="$build/tests/test_gui_main_window"
[[ -x "$test_program" ]] || { echo "build test_gui_main_window first ($test_program)" >&2; exit 1; }

work="$(mktemp -d)"
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() { kill "$wm" "$xvfb" 2>/dev/null || true; rm -rf "$work"; }
wm=""
trap cleanup EXIT
for _ in $(seq 100); do
  DISPLAY="$display" xdpyinfo >/dev/null 2>&1 && break
  [[ -S "/tmp/.X11-unix/X${display#:}" ]] && break
  sleep 0.2
done
DISPLAY="$display" openbox >/dev/null 2>&1 &
wm=$!

DISPLAY="$display" QT_QPA_PLATFORM=xcb Q6CONFIG_SCREENSHOTS="$work" \
  "$test_program" --gtest_filter='LanguageLayout.*' >"$work/log.txt" 2>&1 ||
  { cat "$work/log.txt" >&2; exit 1; }
for language in "${languages[@]}"; do
  mkdir -p "$root/docs/screenshots/$language"
  cp "$work/$language"/*.png "$root/docs/screenshots/$language/"
  ls "$root/docs/screenshots/$language"
done
# The README shows the record window in English, beside its other pictures.
cp "$work/en/record-0.png" "$root/docs/record-window.png"
ls "$root/docs/record-window.png"
