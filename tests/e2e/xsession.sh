# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Shared by the end-to-end scripts (sourced, not run): a virtual X server, the real program in
# it, its window's geometry and the screenshots the checks read.
#
# After start_program the caller has: wid, win_x, win_y, win_w, win_h (the window in screen
# pixels), border (a surface's border in pixels) and menu_h (the menu bar's height), and
# "$work/root.png", a screenshot of the whole screen with the first drawing complete.

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

# Screenshot of the whole virtual screen into the given file.
screenshot() {
  import -window root "$1"
}

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

# A virtual screen on a free display, 1600 x 1200 unless XVFB_SCREEN says otherwise
# (width x height x depth); exports DISPLAY.
start_xvfb() {
  local display="" n
  for n in $(seq 90 99); do
    if [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; then continue; fi
    Xvfb ":$n" -screen 0 "${XVFB_SCREEN:-1600x1200x24}" -nolisten tcp >"$work/xvfb.log" 2>&1 &
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
}

# Starts the program, finds its window and waits for its first drawing; measures the menu bar
# and the surfaces' border from where Picture2's dark blue interior begins.
start_program() {
  local binary=$1 title="Vornak - Doppler EME 10 GHz"
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

  # Picture2's interior is the only place painted dark blue RGB(0, 0, 64) in the upper half of
  # the window. It starts 80 px (1200 twips) below the client area's top and 531 px (7965
  # twips) right of its left edge, plus the surface's border.
  local navy="rgb(0,0,64)" top left deadline
  # Start-up draws everything before the event loop paints the window: once Picture2's dark
  # blue shows, the whole first picture is there.
  deadline=$((SECONDS + 10))
  while :; do
    screenshot "$work/root.png"
    top=$(first_exact $((win_x + 900)) "$win_y" 1 200 "$navy")
    [ "$top" -lt 0 ] || break
    [ $SECONDS -lt $deadline ] || fail "the window was not drawn within 10 s"
    sleep 0.2
  done
  sleep 0.3
  screenshot "$work/root.png"

  # Picture2's interior: its first dark-blue row and column, taken where no drawing reaches.
  top=$(first_exact $((win_x + 900)) "$win_y" 1 200 "$navy")
  left=$(first_exact $((win_x + 520)) $((win_y + top + 3)) 40 1 "$navy")
  [ "$top" -ge 0 ] && [ "$left" -ge 0 ] || fail "Picture2's dark blue interior not found"
  border=$((left + 520 - 531))
  menu_h=$((top - 80 - border))
  echo "window ${win_w}x${win_h} at ${win_x},${win_y}; menu bar ${menu_h} px; border ${border} px"
  [ "$border" -ge 0 ] && [ "$border" -le 4 ] || fail "unexpected surface border of $border px"
  [ "$menu_h" -gt 10 ] && [ "$menu_h" -lt 60 ] || fail "unexpected menu bar height $menu_h px"
}

# Clicks the client-area point (x, y), in window pixels below the menu bar.
click_client() {
  xdotool mousemove --window "$wid" "$1" $((menu_h + $2))
  sleep 0.1
  xdotool click 1
}

# "Quit" is the first and only item of the menu bar, at its left end. Waits for the program
# to end and checks that it ended with status 0.
quit_program() {
  xdotool mousemove --window "$wid" 20 $((menu_h / 2))
  sleep 0.2
  xdotool click 1

  local deadline=$((SECONDS + 5)) status=0
  while kill -0 "$app_pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "the program did not end within 5 s of Quit"
    sleep 0.1
  done
  wait "$app_pid" || status=$?
  app_pid=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}
