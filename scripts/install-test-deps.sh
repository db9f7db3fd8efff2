#!/usr/bin/env bash
# Installs what the tests, CI, benchmarks and screenshots need on top of install-deps.sh: GoogleTest
# and Google Benchmark, a CUPS server and socat for the end-to-end links, Avahi for discovery,
# clang for fuzzing and sanitizers, clang-format for the layout check, the desktop file validators, dpkg-dev for the Debian package and lintian to check it,
# Xvfb, a window manager and ImageMagick for screenshots, stress-ng, the CPU hog beside soak runs
# and CI's second run of the timing-sensitive tests, zsh for its completion's test, and ansible-core
# to run the Ansible module from a playbook (with ansible, whose ansible.posix collection holds the
# json output the test reads), a PostgreSQL server the record's tests start for themselves, and
# chromium and xmllint (libxml2-utils) for the --html page and the --junit file.
set -euo pipefail
"$(dirname "$0")/apt-install.sh" \
  libgtest-dev libgmock-dev libbenchmark-dev \
  cups cups-client cups-bsd socat \
  avahi-daemon avahi-utils dbus iproute2 \
  clang libclang-rt-14-dev clang-format \
  appstream desktop-file-utils dpkg-dev lintian groff-base \
  xvfb xauth openbox imagemagick \
  stress-ng zsh \
  ansible-core ansible \
  postgresql \
  chromium libxml2-utils
