#!/usr/bin/env bash
# Usage: check_layers.sh SRC_FOLDER
# Fails when a file under core/ or cli/ includes a header from gui/ (the windows sit on the core,
# never below it), or when core/ includes from cli/. The planted include below proves the check
# can fail.
set -euo pipefail
src="$1"
planted="$(mktemp)"
trap 'rm -f "$planted"' EXIT
echo '#include "gui/main_window/main_window.h"' >"$planted"
if ! grep -Eq '#include "gui/' "$planted"; then
  echo "check broken: a planted window include was not seen" >&2
  exit 1
fi
status=0
if found=$(grep -rnE '#include "gui/' "$src/core" "$src/cli"); then
  echo "the core or the command-line tool includes a window header:" >&2
  echo "$found" >&2
  status=1
fi
if found=$(grep -rnE '#include "cli/' "$src/core"); then
  echo "the core includes the command-line tool:" >&2
  echo "$found" >&2
  status=1
fi
[ "$status" -eq 0 ] && echo "src/core and src/cli include nothing from src/gui"
exit "$status"
