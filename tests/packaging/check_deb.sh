#!/usr/bin/env bash
# The Debian package made from this build, as Debian's checker sees it: lintian --pedantic finds no
# error and no warning, nor the informational tags the package once had (hardening, .comment); and
# the package holds what a user looks for: both manual pages, the changelog, the documents, the bash
# completion. The hardening tags count only for a build made with the package's flags
# (scripts/package-deb.sh); this test's own build is checked for everything else.
# Usage: check_deb.sh <build folder>
set -uo pipefail
build="$(cd "$1" && pwd)"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
if ! (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >cpack.log 2>&1); then
  cat "$work/cpack.log"
  echo "FAIL: cpack could not make the package"
  exit 1
fi
deb="$(ls "$work"/q6config_*.deb 2>/dev/null | head -n 1)"
[[ -f "$deb" ]] || { echo "FAIL: no package made"; exit 1; }

# What the package holds.
contents="$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')"
for path in /usr/bin/q6config /usr/bin/q6config-cli /usr/lib/q6config/q6config \
  /usr/lib/q6config/q6config_printer /usr/share/ansible/plugins/modules/q6config_printer \
  /usr/share/ansible/plugins/modules/q6config_printer.yml \
  /usr/share/ansible/collections/ansible_collections/q6config/printers/galaxy.yml \
  /usr/share/ansible/collections/ansible_collections/q6config/printers/meta/runtime.yml \
  /usr/share/ansible/collections/ansible_collections/q6config/printers/plugins/modules/printer \
  /usr/share/ansible/collections/ansible_collections/q6config/printers/plugins/modules/printer.yml \
  /usr/share/man/man1/q6config.1.gz /usr/share/man/man1/q6config-cli.1.gz \
  /usr/share/doc/q6config/copyright /usr/share/doc/q6config/changelog.gz \
  /usr/share/doc/q6config/README.md /usr/share/doc/q6config/fleet.md \
  /usr/share/bash-completion/completions/q6config-cli /usr/share/zsh/vendor-completions/_q6config-cli; do
  grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done
maintainer="$(dpkg-deb -f "$deb" Maintainer)"
[[ "$maintainer" =~ \<[^@\>]+@[^@\>]+\.[a-z]+\>$ && "$maintainer" != *localhost* ]] ||
  fail "maintainer address: $maintainer"
dpkg-deb -f "$deb" Description | awk 'length > 80 { exit 1 }' || fail "a description line is longer than 80 characters"

# The changelog: one entry per version of the project, the version built first.
dpkg-deb -x "$deb" "$work/root"
first="$(zcat "$work/root/usr/share/doc/q6config/changelog.gz" | head -n 1)"
version="$(dpkg-deb -f "$deb" Version)"
[[ "$first" == "q6config ($version) unstable; urgency=medium" ]] || fail "changelog starts: $first"
zcat "$work/root/usr/share/doc/q6config/changelog.gz" | grep -qE '^ -- .+ <.+@.+>  [A-Z][a-z]{2}, [0-9]{2} ' ||
  fail "changelog entry without a maintainer line"

# Both manual pages point to each other; the window's page speaks of the tool.
for page in q6config q6config-cli; do
  text="$(zcat "$work/root/usr/share/man/man1/$page.1.gz")"
  grep -q '^\.SH SEE ALSO' <<<"$text" || fail "$page.1 has no SEE ALSO"
done
zcat "$work/root/usr/share/man/man1/q6config.1.gz" | grep -q 'q6config\\-cli (1)\|q6config\\-cli' ||
  fail "q6config.1 does not mention q6config-cli"
zcat "$work/root/usr/share/man/man1/q6config-cli.1.gz" | grep -q '^\.SH EXIT STATUS' ||
  fail "q6config-cli.1 has no EXIT STATUS"
zcat "$work/root/usr/share/man/man1/q6config-cli.1.gz" | grep -q '^\.SH EXAMPLES' ||
  fail "q6config-cli.1 has no EXAMPLES"
grep -q '^Categories=.*Printing;' "$work/root/usr/share/applications/q6config.desktop" ||
  fail "the menu entry lacks the Printing category"

if ! command -v lintian >/dev/null; then
  if [[ $failures -ne 0 ]]; then
    exit 1
  fi
  echo "SKIPPED: lintian is not installed (scripts/install-test-deps.sh installs it)"
  exit 77
fi
lintian --pedantic -I --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1
cat "$work/lintian.txt"
grep -E '^[EW]: ' "$work/lintian.txt" && fail "lintian reports errors or warnings"
grep -E 'binary-has-unneeded-section' "$work/lintian.txt" && fail "a binary keeps a section it does not need"
if grep -q -- '-z,now' "$build/CMakeCache.txt"; then
  grep -E 'hardening-no-' "$work/lintian.txt" && fail "a binary lacks Debian's hardening"
else
  echo "(hardening not checked: this build is not made with the package's flags)"
fi

if [[ $failures -ne 0 ]]; then
  exit 1
fi
echo "package: lintian --pedantic clean, manual pages, changelog, documents and completion in place"
