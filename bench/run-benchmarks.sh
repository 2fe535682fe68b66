#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark and timing program; each prints a SUMMARY line with its target.
# The animation and start-up timings need a display: they get their own Xvfb.
set -euo pipefail
build=${1:-build/release}

"$build/bench/bench_readout"
"$build/bench/bench_refresh"
# The native figures of one instant: the core alone, and the readouts as the real Moon's page
# shows them, which the page is held to below.
sky_core=$("$build/bench/time_sky" core)
echo "$sky_core"
instant_us=$(sed -n 's/^SUMMARY one instant .*: \([0-9.e+-]*\) us .*/\1/p' <<<"$sky_core")
readouts_us=$(sed -n "s/^SUMMARY one instant's readouts .*: \([0-9.e+-]*\) us$/\1/p" <<<"$sky_core")
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
# Three 10 s runs of each path, taken in turn so that both see the same load; the CPU per
# tick to compare is the median of each path's three. The runs where a tick changes one
# readout only give the cost of any frame on this display; those where it changes every
# readout and draws no surface, the least a tick can cost however the surfaces are drawn.
summary=$(mktemp)
trap 'kill $xvfb 2>/dev/null || true; rm -f "$summary"' EXIT
for _ in 1 2 3; do
  "$build/bench/time_animation" whole
  "$build/bench/time_animation"
  "$build/bench/time_animation" floor
  "$build/bench/time_animation" readouts
done | awk '
  { print }
  / CPU: / { v = $0; sub(/.* CPU: /, "", v); sub(/ .*/, "", v); v += 0 }
  /animation \(whole\) CPU: / { w[++nw] = v }
  /animation \(tiles\) CPU: / { t[++nt] = v }
  /animation \(one readout\) CPU: / { f[++nf] = v }
  /animation \(readouts\) CPU: / { r[++nr] = v }
  function median(a, n,   i, j, x) {
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { x = a[i]; a[i] = a[j]; a[j] = x }
    return a[int((n + 1) / 2)]
  }
  END {
    mw = median(w, nw); mt = median(t, nt); mf = median(f, nf); mr = median(r, nr)
    printf "SUMMARY animation CPU a tick, median of three: whole %.3f ms, tiles %.3f ms; ratio %.2f (target at most 0.5) %s\n", mw, mt, mt / mw, (mt <= 0.5 * mw ? "MET" : "MISSED")
    printf "SUMMARY animation CPU of a frame that changes one readout only, median of three: %.3f ms\n", mf
    printf "SUMMARY animation CPU of a tick that changes every readout and draws no surface, median of three: %.3f ms; ratio to whole %.2f\n", mr, mr / mw
  }' | tee "$summary"
"$build/bench/time_sky" startup >/dev/null
"$build/bench/time_sky" startup
"$build/bench/time_sky" drag
# The pages in headless Chromium, the page's main thread a tick against the desktop's tiled
# tick of this same run.
tiles_ms=$(sed -n 's/^SUMMARY animation CPU a tick, median of three: whole [0-9.]* ms, tiles \([0-9.]*\) ms.*/\1/p' "$summary")
pages=$(cd "$(dirname "$build")/web" 2>/dev/null && pwd || true)
if [ -n "$pages" ] && [ -f "$pages/vornak.html" ]; then
  VORNAK_PAGE="$pages/vornak.html" VORNAK_SKY_PAGE="$pages/vornak-sky.html" \
    node "$(dirname "$0")/web/page_timing.js" --desktop-tick-ms "${tiles_ms:-nan}" \
    --native-instant-us "${instant_us:-nan}" --native-readouts-us "${readouts_us:-nan}"
else
  echo "no page in $(dirname "$build")/web: make web builds it" >&2
fi
echo
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(free -g | awk '/Mem:/{print $2}') GiB"
