#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One day at 10 s steps (8,641 rows, CSV to a file) by `vornak-sky --table` and by the
# Astronomy Engine peer in Node: whole processes, wall time, median of 5, run alternately.
# Target: vornak-sky at most half the peer's time (aim: a quarter).
set -euo pipefail
sky=${1:?usage: sky_table_vs_peer.sh <path to vornak-sky>}
peer_dir=$(cd "$(dirname "$0")/peer" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

if [ ! -d "$peer_dir/node_modules/astronomy-engine" ]; then
  (cd "$peer_dir" && npm ci --silent --no-audit --no-fund >/dev/null)
fi

wall() {  # wall <stdout file> <command...>: prints the command's wall time in ms
  local start end file=$1
  shift
  start=$(date +%s%N)
  "$@" >"$file"
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}
median() { sort -n | sed -n 3p; }

ours=() theirs=()
for _ in 1 2 3 4 5; do
  ours+=("$(wall "$out/ours.csv" "$sky" --table --csv --lat 52.37 --lon 4.89 \
    --from 2026-12-09T00:00Z --to 2026-12-10T00:00Z --step 10s)")
  theirs+=("$(wall /dev/null node "$peer_dir/doppler_day.js" --lat 52.37 --lon 4.89 --height 0 \
    --from 2026-12-09T00:00:00Z --to 2026-12-10T00:00:00Z --step 10 "$out/peer.csv")")
done
[ "$(wc -l <"$out/ours.csv")" -eq 8642 ] || { echo "vornak-sky wrote the wrong number of rows" >&2; exit 1; }
a=$(printf '%s\n' "${ours[@]}" | median)
b=$(printf '%s\n' "${theirs[@]}" | median)
ratio=$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.2f", a / b }')
met=$(awk -v r="$ratio" 'BEGIN { print (r <= 0.5 ? "MET" : "MISSED") }')
echo "SUMMARY day table at 10 s (8,641 rows): vornak-sky ${a} ms, Astronomy Engine 2.1.19 in Node ${b} ms, ratio ${ratio} (target at most 0.5, aim 0.25) ${met}"
