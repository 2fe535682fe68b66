#!/usr/bin/env bash
# Runs the real program under a virtual X server: its window has the designed client area
# under the menu bar, start-up has drawn the Moon and the station on the three surfaces, and
# "Quit" ends the program with status 0. Without any display it refuses to start.
#
# Usage: start_and_quit.sh <path to vornak>
set -euo pipefail

binary=${1:?usage: start_and_quit.sh <path to vornak>}
title="Vornak - Doppler EME 10 GHz"
work=$(mktemp -d)
xvfb_pid=""
app_pid=""

cleanup() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then kill "$app_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [ -s "$work/stderr" ]; then
    echo "--- program stderr ---" >&2
    cat "$work/stderr" >&2
  fi
  exit 1
}

# ImageMagick's own convert, whatever stands in front of it on the PATH.
convert_bin=$(command -v convert-im6.q16 || command -v convert)

# ---- without a display the program says why, in one line, and fails ----------------------
status=0
message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$binary" 2>&1) || status=$?
[ "$status" -eq 1 ] || fail "without a display the program ended with status $status, expected 1"
[ "$message" = "vornak needs a desktop session: no DISPLAY or WAYLAND_DISPLAY is set." ] ||
  fail "without a display the program said: $message"

# ---- a virtual screen on a free display ----------------------------------------------------
display=""
for n in $(seq 90 99); do
  if [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; then continue; fi
  Xvfb ":$n" -screen 0 1600x1200x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do
    if xdpyinfo -display ":$n" >/dev/null 2>&1; then display=":$n"; break; fi
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then break; fi
    sleep 0.1
  done
  if [ -n "$display" ]; then break; fi
  # Another server took this display first: try the next one.
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
done
[ -n "$display" ] || fail "no free X display in :90..:99"

export DISPLAY=$display
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

# ---- start the program and find its window -------------------------------------------------
"$binary" >"$work/stdout" 2>"$work/stderr" &
app_pid=$!

wid=$(timeout 15 xdotool search --sync --onlyvisible --name "^${title}\$" 2>/dev/null) || true
wid=${wid%%$'\n'*}
[ -n "$wid" ] || fail "the window \"$title\" did not appear within 15 s"

eval "$(xdotool getwindowgeometry --shell "$wid")"  # sets X, Y, WIDTH, HEIGHT
win_x=$X
win_y=$Y
win_w=$WIDTH
win_h=$HEIGHT

# Number of pixels in the screen rectangle w x h at (x, y) whose colour is within 20% of colour.
count_near() {
  "$convert_bin" "$work/root.png" -crop "${3}x${4}+${1}+${2}" +repage -fuzz 20% \
    -fill black +opaque "$5" -fill white -opaque "$5" -format '%[fx:int(mean*w*h+0.5)]' info:
}

# First offset along a w x h strip at (x, y) whose pixel is exactly colour, -1 if none. The
# strip is one pixel wide or one pixel high.
first_exact() {
  "$convert_bin" "$work/root.png" -crop "${3}x${4}+${1}+${2}" +repage \
    -fill black +opaque "$5" -fill white -opaque "$5" txt:- |
    awk -F'[,:]' '!found && NR > 1 && /#FFFFFF/ { first = ($1 > $2 ? $1 : $2); found = 1 }
                  END { print (found ? first : -1) }'
}

# Picture2's interior is the only place painted dark blue RGB(0, 0, 64) in the upper half of
# the window. It starts 80 px (1200 twips) below the client area's top and 531 px (7965
# twips) right of its left edge, plus the surface's border.
navy="rgb(0,0,64)"
# Start-up draws everything before the event loop paints the window: once Picture2's dark
# blue shows, the whole first picture is there.
deadline=$((SECONDS + 10))
while :; do
  import -window root "$work/root.png"
  top=$(first_exact $((win_x + 900)) "$win_y" 1 200 "$navy")
  [ "$top" -lt 0 ] || break
  [ $SECONDS -lt $deadline ] || fail "the window was not drawn within 10 s"
  sleep 0.2
done
sleep 0.3
import -window root "$work/root.png"

# Picture2's interior: its first dark-blue row and column, taken where no drawing reaches.
top=$(first_exact $((win_x + 900)) "$win_y" 1 200 "$navy")
left=$(first_exact $((win_x + 520)) $((win_y + top + 3)) 40 1 "$navy")
[ "$top" -ge 0 ] && [ "$left" -ge 0 ] || fail "Picture2's dark blue interior not found"
border=$((left + 520 - 531))
menu_h=$((top - 80 - border))
client_h=$((win_h - menu_h))
echo "window ${win_w}x${win_h} at ${win_x},${win_y}; menu bar ${menu_h} px; border ${border} px"

[ "$border" -ge 0 ] && [ "$border" -le 4 ] || fail "unexpected surface border of $border px"
[ "$menu_h" -gt 10 ] && [ "$menu_h" -lt 60 ] || fail "unexpected menu bar height $menu_h px"
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
# "Quit" is the first and only item of the menu bar, at its left end.
xdotool mousemove --window "$wid" 20 $((menu_h / 2))
sleep 0.2
xdotool click 1

deadline=$((SECONDS + 5))
while kill -0 "$app_pid" 2>/dev/null; do
  [ $SECONDS -lt $deadline ] || fail "the program did not end within 5 s of Quit"
  sleep 0.1
done
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS"
