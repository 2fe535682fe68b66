#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds compare_de405 against the sky library of a vornak build and runs it.
# Usage: tools/accuracy/jpl/run.sh [BUILD_DIR [CASES [SEED]]]   (default build/release, 400)
# Needs Debian's casacore-dev and casacore-data-jpl-de405 (installed here when missing).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
build=${1:-$root/build/release}
shift || true
for p in casacore-dev casacore-data-jpl-de405; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends \
      casacore-dev casacore-data-jpl-de405
    break
  fi
done
if [ ! -f "$build/sky/libvornak_sky.a" ]; then
  echo "$0: no sky library in $build (build vornak first: make build)" >&2
  exit 2
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# casacore 3.5's headers do not compile as C++20: its part is a C++17 file of its own.
g++ -std=c++17 -O2 -c "$here/de405.cpp" -o "$out/de405.o"
g++ -std=c++20 -O2 -I"$root" "$here/compare_de405.cpp" "$out/de405.o" -o "$out/compare_de405" \
  "$build/sky/libvornak_sky.a" "$build/geometry/libvornak_geometry.a" \
  -lcasa_measures -lcasa_tables -lcasa_casa $(pkg-config --libs swe erfa)
# Debian puts the DE405 table under /usr/share/casacore/data; casacore looks in
# /var/lib/casacore/data unless its resource file says otherwise.
echo "measures.directory: /usr/share/casacore/data" >"$out/casarc"
CASARCFILES=$out/casarc "$out/compare_de405" "$@"
