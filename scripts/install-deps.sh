#!/usr/bin/env bash
# Installs the Debian packages that building and running the program need. The test, CI and
# packaging tools come from install-test-deps.sh. Quiet and offline when everything is there.
set -euo pipefail
"$(dirname "$0")/apt-install.sh" \
  build-essential cmake ninja-build pkg-config \
  qt6-base-dev qt6-serialport-dev libgl-dev \
  libcups2-dev libavahi-client-dev libsqlite3-dev libpq-dev \
  qt6-l10n-tools fonts-dejavu-core fonts-liberation2
