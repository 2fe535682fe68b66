#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real program under a virtual X server and works its animation switch with the
# mouse: while "Animation OFF" is selected nothing on the readouts moves; a click on
# "Animation ON" starts the timer, and the Doppler readouts of the top bar and the sidereal
# angle readout change from one second to the next (10 degrees of Earth rotation a second at
# the starting speed); a click on "Animation OFF" stops them again. Quit still ends the
# program with status 0.
#
# Usage: animation.sh <path to vornak>
set -euo pipefail

binary=${1:?usage: animation.sh <path to vornak>}
# shellcheck source=tests/e2e/xsession.sh
source "$(dirname "$0")/xsession.sh"

start_xvfb
start_program "$binary"

# Window pixels below the menu bar, at 15 twips a pixel. The animation frame Frame1(4) sits
# at (7965, 12360) twips; inside it the 1575 x 375 switches "Animation OFF" at (2070, 855)
# and "Animation ON" at (4230, 855): their centres are at (721, 893) and (865, 893).
off_x=$(((7965 + 2070 + 1575 / 2) / 15))
on_x=$(((7965 + 4230 + 1575 / 2) / 15))
switch_y=$(((12360 + 855 + 375 / 2) / 15))

# The top bar Frame3: (3840, 120) twips, 14655 x 915, that is (256, 8) and 977 x 61 px.
# Label3, the sidereal angle, is centred on (8520 + 1125 / 2, 360) in Frame1(1) at
# (7965, 8040): a white box around x 1136 from y 560 that grows both ways with its text.
readouts=("256 8 977 61" "1030 556 174 34")

# A digest of each readout area of a screenshot of the whole screen.
readout_digest() {
  local rect x y w h
  for rect in "${readouts[@]}"; do
    read -r x y w h <<<"$rect"
    "$convert_bin" "$1" -crop "${w}x${h}+$((win_x + x))+$((win_y + menu_h + y))" +repage rgb:- |
      md5sum | cut -d' ' -f1
  done
}

# Two screenshots a second apart; prints "same" or "changed" for each readout area.
readouts_over_a_second() {
  screenshot "$work/a.png"
  sleep 1
  screenshot "$work/b.png"
  local -a a b
  mapfile -t a < <(readout_digest "$work/a.png")
  mapfile -t b < <(readout_digest "$work/b.png")
  local i
  for i in "${!a[@]}"; do
    if [ "${a[$i]}" = "${b[$i]}" ]; then echo same; else echo changed; fi
  done
}

# The areas hold the white readout boxes: a wrong crop would compare empty background.
screenshot "$work/root.png"
for rect in "${readouts[@]}"; do
  read -r x y w h <<<"$rect"
  n=$(count_near $((win_x + x)) $((win_y + menu_h + y)) "$w" "$h" white)
  [ "$n" -ge 1000 ] || fail "no readout box in the area $rect (only $n near-white pixels)"
done

# ---- off: the readouts stand still ---------------------------------------------------------
mapfile -t states < <(readouts_over_a_second)
[ "${states[*]}" = "same same" ] || fail "readouts moved with the animation off: ${states[*]}"

# ---- on: they change from one second to the next -------------------------------------------
click_client "$on_x" "$switch_y"
sleep 0.3
mapfile -t states < <(readouts_over_a_second)
echo "animation on: top bar ${states[0]}, sidereal angle ${states[1]}"
[ "${states[*]}" = "changed changed" ] ||
  fail "with the animation on, the readouts did not all change within a second: ${states[*]}"

# ---- off again: they stop --------------------------------------------------------------------
click_client "$off_x" "$switch_y"
sleep 0.3
mapfile -t states < <(readouts_over_a_second)
[ "${states[*]}" = "same same" ] ||
  fail "readouts still moved after the animation was switched off: ${states[*]}"

[ ! -s "$work/stdout" ] || fail "the program wrote to stdout: $(head -c 200 "$work/stdout")"
quit_program
echo "PASS"
