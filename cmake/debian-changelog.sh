#!/usr/bin/env bash
# Writes the package's Debian changelog (gzip -9n) from the project's version history: one entry per
# version the project had, newest first, each listing the changes made while it was that version
# (the first line of each commit on the main line) and dated by the last of them. Without a git
# history (a source archive) there is one entry for the version being built.
# Usage: debian-changelog.sh <source folder> <version> <maintainer> <output .gz>
set -euo pipefail
source="$1"
version="$2"
maintainer="$3"
output="$4"

entry_head() { printf '%s (%s) unstable; urgency=medium\n\n' q6config "$1"; }
entry_tail() { printf '\n -- %s  %s\n' "$maintainer" "$(LC_ALL=C date -u -R -d "@$1")"; }
# One change as a changelog bullet, wrapped to 78 columns.
bullet() { fold -s -w 74 <<<"$1" | sed -e 's/ *$//' -e '1s/^/  * /' -e '2,$s/^/    /'; }

text="$(mktemp)"
trap 'rm -f "$text"' EXIT

if git -C "$source" rev-parse --verify -q HEAD >/dev/null 2>&1; then
  # Oldest first: the version each commit left in CMakeLists.txt, its time and its subject.
  current=""
  declare -a versions=() times=() changes=()
  while IFS=$'\t' read -r commit time subject; do
    v="$(git -C "$source" show "$commit:CMakeLists.txt" 2>/dev/null |
      sed -n 's/^project(q6config VERSION \([0-9][0-9.]*\).*/\1/p' | head -n 1)"
    v="${v:-$current}"
    [[ -n "$v" ]] || v="$version"
    if [[ "$v" != "$current" ]]; then
      versions+=("$v")
      times+=("$time")
      changes+=("")
      current="$v"
    fi
    last=$((${#versions[@]} - 1))
    times[last]="$time"
    changes[last]="$(bullet "$subject")"$'\n'"${changes[last]}"
  done < <(git -C "$source" log --first-parent --reverse --format='%H%x09%ct%x09%s' HEAD)
  for ((i = ${#versions[@]} - 1; i >= 0; i--)); do
    {
      entry_head "${versions[i]}"
      printf '%s' "${changes[i]}"
      entry_tail "${times[i]}"
      ((i > 0)) && printf '\n'
    } >>"$text"
  done
else
  when="${SOURCE_DATE_EPOCH:-$(stat -c %Y "$source/CMakeLists.txt")}"
  { entry_head "$version"; bullet "Release $version."; entry_tail "$when"; } >"$text"
fi

# Rewritten only when it changed, so that an unchanged history installs nothing new.
new="$(mktemp)"
trap 'rm -f "$text" "$new"' EXIT
gzip -9nc "$text" >"$new"
if ! cmp -s "$new" "$output" 2>/dev/null; then
  mkdir -p "$(dirname "$output")"
  cp "$new" "$output"
fi
