#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Brings every Debian package the build, the tests and the benchmarks need.
# Does nothing when all of them are present; uses sudo only when not root.
set -euo pipefail

packages=(
  build-essential cmake make pkg-config clang-format
  qt6-base-dev qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick
  fonts-wine fonts-dejavu-core
  desktop-file-utils
  liberfa-dev qt6-charts-dev libqt6opengl6-dev
  libswe-dev swe-basic-data
  libhamlib-dev libhamlib-utils
  dpkg-dev librsvg2-bin appstream file lintian help2man
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
