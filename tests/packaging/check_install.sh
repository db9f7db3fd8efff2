#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a user and a package get.
# Usage: check_install.sh <build folder> <source folder> <version>
set -uo pipefail
build="$1"
source="$2"
version="$3"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"

# The program and its presets together under lib/q6config; bin/q6config a relative link to it.
program="$prefix/lib/q6config/q6config"
[[ -x "$program" && ! -L "$program" ]] || fail "program not at lib/q6config/q6config"
ls "$prefix/lib/q6config/Presets/"*.pre >/dev/null 2>&1 || fail "no preset in lib/q6config/Presets"
[[ -L "$prefix/bin/q6config" ]] || fail "bin/q6config is not a link"
[[ "$(readlink "$prefix/bin/q6config")" != /* ]] || fail "bin/q6config links by an absolute path"
[[ "$(readlink -f "$prefix/bin/q6config")" == "$(readlink -f "$program")" ]] ||
  fail "bin/q6config does not lead to the program"

# The Ansible module beside the program; the collection q6config.printers where ansible-core looks
# without being told, its module a relative link to the program and its documentation beside it;
# the short name q6config_printer a relative link too, with a link to the same documentation.
module="$prefix/lib/q6config/q6config_printer"
collection="$prefix/share/ansible/collections/ansible_collections/q6config/printers"
modules="$prefix/share/ansible/plugins/modules"
[[ -x "$module" && ! -L "$module" ]] || fail "Ansible module not at lib/q6config/q6config_printer"
# Each link: where it is, and what it must lead to.
for pair in "$collection/plugins/modules/printer:$module" "$modules/q6config_printer:$module" \
  "$modules/q6config_printer.yml:$collection/plugins/modules/printer.yml" \
  "$collection/LICENSE:$prefix/share/doc/q6config/copyright" \
  "$collection/README.md:$prefix/share/doc/q6config/fleet.md"; do
  link="${pair%%:*}" target="${pair#*:}"
  if [[ ! -L "$link" ]]; then
    fail "${link#"$prefix"/} is not a link"
  elif [[ "$(readlink "$link")" == /* ]]; then
    fail "${link#"$prefix"/} links by an absolute path"
  elif [[ ! -f "$target" || "$(readlink -f "$link")" != "$(readlink -f "$target")" ]]; then
    fail "${link#"$prefix"/} does not lead to ${target#"$prefix"/}"
  fi
done
for file in galaxy.yml meta/runtime.yml plugins/modules/printer.yml; do
  [[ -f "$collection/$file" && ! -L "$collection/$file" ]] || fail "the collection lacks $file"
done
grep -qx "version: $version" "$collection/galaxy.yml" || fail "galaxy.yml is not at version $version"
grep -qx "requires_ansible: '>=2.14'" "$collection/meta/runtime.yml" ||
  fail "meta/runtime.yml does not require ansible-core 2.14"
answer="$("$modules/q6config_printer" 2>/dev/null)"
[[ $? -eq 0 && "$answer" == '{"changed":false,"failed":true,"msg":'* ]] ||
  fail "the module started without arguments did not answer in JSON: $answer"
bash "$source/tests/packaging/check_ansible.sh" "$version" "$prefix/share/ansible" ||
  fail "ansible-core does not find the installed collection as it should"

# Desktop integration.
desktop="$prefix/share/applications/q6config.desktop"
metainfo="$prefix/share/metainfo/org.q6config.q6config.metainfo.xml"
for size in 16 22 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/q6config.png"
  [[ -f "$icon" ]] || fail "no ${size}x${size} icon"
  if command -v identify >/dev/null && [[ -f "$icon" ]]; then
    [[ "$(identify -format '%wx%h' "$icon")" == "${size}x${size}" ]] || fail "${size}px icon has another size"
  fi
done
[[ -f "$prefix/share/icons/hicolor/scalable/apps/q6config.svg" ]] || fail "no scalable icon"
[[ -f "$prefix/share/man/man1/q6config.1.gz" ]] || fail "no manual page"
grep -q '^Keywords=.' "$desktop" || fail "desktop entry has no Keywords="
if command -v desktop-file-validate >/dev/null; then
  out="$(desktop-file-validate "$desktop" 2>&1)"
  [[ -z "$out" ]] || fail "desktop-file-validate: $out"
else
  fail "desktop-file-validate is not installed (scripts/install-test-deps.sh)"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$metainfo" >/dev/null 2>&1 ||
    fail "appstreamcli validate: $(appstreamcli validate --no-net "$metainfo" 2>&1)"
else
  fail "appstreamcli is not installed (scripts/install-test-deps.sh)"
fi
if command -v groff >/dev/null; then
  warnings="$(zcat "$prefix/share/man/man1/q6config.1.gz" | groff -man -ww -z 2>&1)"
  [[ -z "$warnings" ]] || fail "manual page: $warnings"
fi

# Started through the link in bin/, the program finds the presets beside the real program file.
# A program that does not know the option opens its window instead; the time limit catches that.
listed="$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen timeout 20 "$prefix/bin/q6config" --list-presets)"
[[ $? -eq 0 ]] || fail "--list-presets failed"
grep -qx 'Black mark tickets.pre' <<<"$listed" || fail "--list-presets did not list the shipped preset: $listed"

# Without a display: one clear line and a plain failure, not Qt's abort.
no_display() {
  local what="$1"
  shift
  local err status
  err="$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" timeout 20 "$prefix/bin/q6config" 2>&1 >/dev/null)"
  status=$?
  [[ $status -eq 1 ]] || fail "$what: exit status $status, not 1"
  [[ "$(wc -l <<<"$err")" -eq 1 && "$err" == *"no display"* ]] || fail "$what: said: $err"
}
no_display "no DISPLAY" env -u DISPLAY
no_display "DISPLAY that cannot be reached" env DISPLAY=:93

if [[ $failures -ne 0 ]]; then
  exit 1
fi
echo "installed layout, desktop files and start-up without a display: all good"
