#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Quintor-Entwickler
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages the build, the game and the test suite need.
# Packages already present are skipped, so a prepared machine starts at once.
# Further package names given as arguments are installed the same way.
set -euo pipefail

packages=(
  cmake g++ make pkg-config ninja-build
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
  qt6-charts-dev libqt6opengl6-dev
  libsdl2-dev libsdl2-mixer-dev libfontconfig-dev
  fonts-comic-neue fonts-liberation2
  xvfb xauth xdotool x11-utils imagemagick openbox
  desktop-file-utils appstream reuse
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
