#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real vornak-sky window under a virtual X server: it opens with its title, a locator
# typed with real key events changes the readouts (an invalid one changes nothing), and
# Ctrl+Q closes it with status 0. Without any display it refuses to start, in one line.
#
# Usage: window_e2e.sh <path to vornak-sky>
set -euo pipefail

binary=${1:?usage: window_e2e.sh <path to vornak-sky>}
# shellcheck source=tests/e2e/xsession.sh
source "$(dirname "$0")/../e2e/xsession.sh"

status=0
message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$binary" 2>&1) || status=$?
[ "$status" -eq 1 ] || fail "without a display the window ended with status $status, expected 1"
[ "$(printf '%s\n' "$message" | wc -l)" -eq 1 ] || fail "without a display it said: $message"

start_xvfb
# Settings of its own, so that a developer's station does not change what is seen.
export XDG_CONFIG_HOME="$work/config"
"$binary" --at 2026-12-09T21:30Z >"$work/stdout" 2>"$work/stderr" &
app_pid=$!
title="Vornak Sky - Real Moon Doppler"
wid=$(timeout 15 xdotool search --sync --onlyvisible --name "^${title}\$" 2>/dev/null) || true
wid=${wid%%$'\n'*}
[ -n "$wid" ] || fail "the window \"$title\" did not appear within 15 s"
eval "$(xdotool getwindowgeometry --shell "$wid")"
echo "window ${WIDTH}x${HEIGHT} at ${X},${Y}"

# The right-hand part of the window holds the readouts and the plot.
right() {
  sleep 0.8
  import -window root "$work/root.png"
  "$convert_bin" "$work/root.png" -crop "$((WIDTH * 6 / 10))x${HEIGHT}+$((X + WIDTH * 4 / 10))+${Y}" \
    +repage -depth 8 rgb:- | md5sum | cut -d' ' -f1
}
# Focus starts in the station's locator field. Real key events, through the XTEST extension.
type_locator() {
  xdotool key ctrl+a BackSpace
  xdotool type --delay 30 "$1"
  xdotool key Return
}

# No window manager runs here: give the window the keyboard focus as one would.
xdotool windowfocus --sync "$wid"
sleep 1
before=$(right)
type_locator FN20
after=$(right)
[ "$before" != "$after" ] || fail "typing the locator FN20 did not change the readouts"
type_locator ZZ99
invalid=$(right)
[ "$after" = "$invalid" ] || fail "the invalid locator ZZ99 changed the readouts"

xdotool key ctrl+q
deadline=$((SECONDS + 5))
while kill -0 "$app_pid" 2>/dev/null; do
  [ $SECONDS -lt $deadline ] || fail "the window did not close within 5 s of Ctrl+Q"
  sleep 0.1
done
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "vornak-sky ended with status $status"
echo "PASS"
