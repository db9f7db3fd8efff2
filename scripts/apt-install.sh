#!/usr/bin/env bash
# Installs the Debian packages named as arguments that are not installed yet. When all are there it
# does nothing, so it needs neither root nor the network.
set -euo pipefail
missing=()
for package in "$@"; do
  if ! dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null | grep -qx installed; then
    missing+=("$package")
  fi
done
if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi
SUDO=""
if [[ "$(id -u)" -ne 0 ]]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
