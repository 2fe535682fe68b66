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
  emscripten fonttools googletest chromium patch
)
# Node for the page tests, npm for uPlot and emscripten's optimizer: Debian's, unless a node
# is there already (another one's package may not be called nodejs).
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The page tests drive Debian's Chromium with npm's playwright-core and audit the pages with
# @axe-core/playwright, at the versions the lock file pins.
pages="$(cd "$(dirname "$0")/../tests/web" && pwd)"
for module in playwright-core @axe-core/playwright axe-core; do
  installed="$(node -p "try { require('$pages/node_modules/$module/package.json').version } catch { '' }")"
  pinned="$(node -p "require('$pages/package-lock.json').packages['node_modules/$module'].version")"
  if [ "$installed" != "$pinned" ]; then
    npm ci --prefix "$pages" --no-audit --no-fund --loglevel=error
    break
  fi
done
