#!/usr/bin/env bash
# Collects the window's texts into the translation sources after texts changed in the code:
# the window library and the core (whose tables the window shows), never the command-line tool,
# which speaks English. Translate the new entries (Qt Linguist or by hand) before committing: the
# tests refuse an unfinished entry.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
lupdate="$(command -v lupdate-qt6 || true)"
[ -n "$lupdate" ] || lupdate=/usr/lib/qt6/bin/lupdate
cd "$root"
for language in de fr es it pt_BR; do
  "$lupdate" -silent -locations none -no-obsolete -source-language en -target-language "$language" \
    -I src src/core src/gui -ts "translations/q6config_${language}.ts"
done
