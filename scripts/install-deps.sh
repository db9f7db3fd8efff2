#!/usr/bin/env bash
# Installs every Debian package the program, its tests and its benchmarks need.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  build-essential cmake ninja-build pkg-config \
  qt6-base-dev qt6-serialport-dev libgl-dev \
  libcups2-dev cups cups-client cups-bsd socat \
  libavahi-client-dev avahi-daemon avahi-utils dbus iproute2 util-linux \
  libgtest-dev libgmock-dev libbenchmark-dev \
  clang libclang-rt-14-dev \
  xvfb xauth fonts-dejavu-core fonts-liberation2 imagemagick \
  >/dev/null
