#!/usr/bin/env bash
# Usage: check_layers.sh SRC_FOLDER
# Fails when a file under core/, cli/ or ansible/ includes a header from gui/ (the windows sit on
# the core, never below it), when core/ includes from cli/, or when core/ or cli/ include from
# ansible/ (the Ansible module sits on the tool). The planted includes below prove the checks can
# fail.
set -euo pipefail
src="$1"
planted="$(mktemp -d)"
trap 'rm -rf "$planted"' EXIT
status=0
# Each rule: the folders under src/ it covers, the layer they must not include, and what it means.
rules=(
  "core cli ansible|gui|the core, the command-line tool or the Ansible module includes a window header"
  "core|cli|the core includes the command-line tool"
  "core cli|ansible|the core or the command-line tool includes the Ansible module"
)
for rule in "${rules[@]}"; do
  IFS='|' read -r folders layer what <<<"$rule"
  pattern="#include \"$layer/"
  echo "#include \"$layer/planted.h\"" >"$planted/planted.cpp"
  if ! grep -rqE "$pattern" "$planted"; then
    echo "check broken: a planted include of $layer/ was not seen" >&2
    exit 1
  fi
  paths=()
  for folder in $folders; do
    [[ -d "$src/$folder" ]] || { echo "check broken: no folder $src/$folder" >&2; exit 1; }
    paths+=("$src/$folder")
  done
  if found=$(grep -rnE "$pattern" "${paths[@]}"); then
    echo "$what:" >&2
    echo "$found" >&2
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "src/core, src/cli and src/ansible include only the layers below them"
exit "$status"
