#!/usr/bin/env bash
# Runs every benchmark and timing program; each prints a SUMMARY line with its target.
# The animation and start-up timings need a display: they get their own Xvfb.
set -euo pipefail
build=${1:-build/release}

"$build/bench/bench_readout"
"$build/bench/bench_refresh"
"$build/bench/time_sky" core
QT_QPA_PLATFORM=offscreen "$build/bench/time_sky" window
bash "$(dirname "$0")/sky_table_vs_peer.sh" "$build/skyapp/vornak-sky"

display=""
xvfb=""
for n in $(seq 110 130); do
  if [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; then continue; fi
  Xvfb ":$n" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do
    # Ours only if our server is still alive once the display answers.
    if xdpyinfo -display ":$n" >/dev/null 2>&1 && kill -0 "$xvfb" 2>/dev/null; then
      display=":$n"
      break
    fi
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$display" ] && break
  kill "$xvfb" 2>/dev/null || true
  xvfb=""
done
if [ -z "$display" ]; then
  echo "no free X display in :110..:130 for the timings that need one" >&2
  exit 1
fi
trap 'kill $xvfb 2>/dev/null || true' EXIT

export DISPLAY=$display
unset QT_QPA_PLATFORM
# A first start warms the font cache; the second is the one reported.
"$build/bench/time_startup" >/dev/null
"$build/bench/time_startup"
"$build/bench/time_animation"
"$build/bench/time_sky" startup >/dev/null
"$build/bench/time_sky" startup
"$build/bench/time_sky" drag
echo
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(free -g | awk '/Mem:/{print $2}') GiB"
