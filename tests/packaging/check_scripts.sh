#!/usr/bin/env bash
# The scripts a new user runs: building and running need no test tools, and once everything is
# installed, starting again needs neither root nor the network.
# Usage: check_scripts.sh <source folder>
set -uo pipefail
source="$1"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Tools that only the tests, CI and screenshots use.
for tool in clang socat xvfb imagemagick libgtest-dev libbenchmark-dev cups cups-bsd avahi-daemon \
  appstream desktop-file-utils clang-format ansible-core; do
  grep -qw -- "$tool" "$source/scripts/install-deps.sh" && fail "install-deps.sh installs $tool"
  grep -qw -- "$tool" "$source/scripts/install-test-deps.sh" || fail "install-test-deps.sh lacks $tool"
done
grep -q 'install-test-deps.sh' "$source/scripts/test.sh" || fail "test.sh does not install the test tools"

# With everything installed, the dependency step must not call apt or sudo at all.
stubs="$(mktemp -d)"
trap 'rm -rf "$stubs"' EXIT
for tool in apt-get apt sudo; do
  printf '#!/bin/sh\necho "%s called" >&2\nexit 1\n' "$tool" >"$stubs/$tool"
  chmod +x "$stubs/$tool"
done
PATH="$stubs:$PATH" bash "$source/scripts/install-deps.sh" || fail "install-deps.sh called apt with everything installed"
grep -q 'apt-get' "$source/scripts/run.sh" && fail "run.sh calls apt-get itself"

if [[ $failures -ne 0 ]]; then
  exit 1
fi
echo "scripts: build and run needs apart from test tools, nothing re-installed"
