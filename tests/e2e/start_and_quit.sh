#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real program under a virtual X server: its window has the designed client area
# under the menu bar, start-up has drawn the Moon and the station on the three surfaces, and
# "Quit" ends the program with status 0. Without any display it refuses to start.
#
# Usage: start_and_quit.sh <path to vornak>
set -euo pipefail

binary=${1:?usage: start_and_quit.sh <path to vornak>}
# shellcheck source=tests/e2e/xsession.sh
source "$(dirname "$0")/xsession.sh"

# ---- without a display the program says why, in one line, and fails ----------------------
status=0
message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$binary" 2>&1) || status=$?
[ "$status" -eq 1 ] || fail "without a display the program ended with status $status, expected 1"
[ "$message" = "vornak needs a desktop session: no DISPLAY or WAYLAND_DISPLAY is set." ] ||
  fail "without a display the program said: $message"

# ---- the window on a virtual screen --------------------------------------------------------
start_xvfb
start_program "$binary"

client_h=$((win_h - menu_h))
[ "$win_w" -eq 1272 ] || fail "window width $win_w px, expected 1272 (19080 twips)"
[ "$client_h" -eq 914 ] || fail "client area height $client_h px, expected 914 (13710 twips)"

# Centred on the 1600 x 1200 screen by start-up, within a pixel.
cx=$((2 * win_x + win_w - 1600))
cy=$((2 * win_y + win_h - 1200))
[ "${cx#-}" -le 2 ] && [ "${cy#-}" -le 2 ] || fail "window not centred: at ${win_x},${win_y}"

# ---- the Moon and the station on the three surfaces ----------------------------------------
# Interiors in window pixels below the menu bar (outer rectangles from the window layout,
# less the border): Picture1 (-5, 80) 529 x 513, Picture2 (531, 80) 433 x 305, Picture3
# (-5, 608) 529 x 305. The fixed figures hold little white (a few captions, and on Picture2
# its two white axes); the Moon's two circles, the station's cross, the line of sight and the
# axes drawn through the Earth add hundreds of near-white pixels on every surface.
check_white() {
  local name=$1 x=$2 y=$3 w=$4 h=$5 least=$6
  local n
  n=$(count_near $((win_x + x + border)) $((win_y + menu_h + y + border)) \
    $((w - 2 * border)) $((h - 2 * border)) white)
  echo "$name: $n near-white pixels"
  [ "$n" -ge "$least" ] || fail "$name shows $n near-white pixels, expected at least $least"
}
check_white Picture1 0 80 524 513 260
check_white Picture2 531 80 433 305 1200
check_white Picture3 0 608 524 305 400

# The Earth: yellow on every surface.
for rect in "0 80 524 513" "531 80 433 305" "0 608 524 305"; do
  read -r x y w h <<<"$rect"
  n=$(count_near $((win_x + x + border)) $((win_y + menu_h + y + border)) \
    $((w - 2 * border)) $((h - 2 * border)) "rgb(255,255,0)")
  [ "$n" -ge 100 ] || fail "no yellow Earth in the surface at $x,$y ($n pixels)"
done

# The program prints nothing.
[ ! -s "$work/stdout" ] || fail "the program wrote to stdout: $(head -c 200 "$work/stdout")"

# ---- Quit ----------------------------------------------------------------------------------
quit_program
echo "PASS"
