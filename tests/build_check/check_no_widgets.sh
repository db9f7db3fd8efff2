#!/usr/bin/env bash
# Usage: check_no_widgets.sh WINDOW_PROGRAM CORE_LIBRARY PROGRAM...
# Fails when the core library refers to a window class or a program built on the core needs the
# Qt Gui or Widgets library. The window program must need them, or the check proves nothing.
set -euo pipefail
window="$1" core="$2"
shift 2
gui_libs='libQt6(Gui|Widgets|OpenGL)[.]so'
status=0
if ! readelf -d "$window" | grep -Eq "NEEDED.*$gui_libs"; then
  echo "check broken: the window program $window does not appear to need Qt Widgets" >&2
  exit 1
fi
for program in "$@"; do
  if needed=$(readelf -d "$program" | grep -E "NEEDED.*$gui_libs"); then
    echo "$program needs a window library:" >&2
    echo "$needed" >&2
    status=1
  fi
done
# A static library links nothing itself; what it refers to shows what it would pull in.
window_symbols='\b(QWidget|QApplication|QGuiApplication|QMessageBox|QPixmap|QIcon|QFont|QPainter|QScreen)::'
if refs=$(nm -C --undefined-only "$core" | grep -E "$window_symbols" | sort -u | head -20); then
  echo "$core refers to window classes:" >&2
  echo "$refs" >&2
  status=1
fi
if [ "$status" -eq 0 ]; then
  echo "core library and $# programs: no Qt Gui or Widgets"
fi
exit "$status"
