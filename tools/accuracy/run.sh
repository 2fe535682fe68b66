#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Asks a vornak-sky binary for the Moon at every station and instant in
# cases.txt, plus one hourly table over 2026-12-09, and has compare.js
# recompute all rows with Astronomy Engine and print the worst differences.
#
# Usage: tools/accuracy/run.sh PATH/TO/vornak-sky [compare.js options]
#   e.g. tools/accuracy/run.sh build/release/skyapp/vornak-sky --tt model
#        tools/accuracy/run.sh tools/accuracy/fake-vornak-sky.js --limits 1e-5,1e-5,1e-3,1e-3
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
if [ $# -lt 1 ]; then
    echo "usage: $0 PATH/TO/vornak-sky [compare.js options]" >&2
    exit 2
fi
bin=$1
shift
if [ ! -x "$bin" ]; then
    echo "$0: not an executable: $bin" >&2
    exit 2
fi

# The pinned Astronomy Engine comes from the lock file.
if [ ! -f "$here/node_modules/astronomy-engine/package.json" ]; then
    (cd "$here" && npm ci --no-audit --no-fund --loglevel=error)
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
all=$work/all.csv
: > "$all"

# Runs vornak-sky for one station and appends its rows to the combined file,
# each prefixed with the station so compare.js knows where it was computed.
# $1..$3 station, $4 expected number of data rows, the rest are time options.
ask() {
    local lat=$1 lon=$2 height=$3 want=$4
    shift 4
    local out=$work/one.csv
    if ! "$bin" --table --csv --lat "$lat" --lon "$lon" --height "$height" "$@" > "$out"; then
        echo "$0: vornak-sky failed for $lat $lon $height $*" >&2
        exit 1
    fi
    local got
    got=$(grep -c . "$out" || true)
    if [ "$got" -ne $((want + 1)) ]; then
        echo "$0: expected a header and $want rows for $lat $lon $height $*, got $got lines" >&2
        exit 1
    fi
    awk -v pre="$lat,$lon,$height," 'NR == 1 { print "lat_deg,lon_deg,height_m," $0; next }
                                     NF { print pre $0 }' "$out" >> "$all"
}

cases=0
while read -r lat lon height utc rest; do
    case "$lat" in ''|'#'*) continue ;; esac
    ask "$lat" "$lon" "$height" 1 --at "$utc"
    cases=$((cases + 1))
done < "$here/cases.txt"

# One table, to exercise the stepped form too: 25 hourly rows, both ends included.
ask 52.37 4.89 0 25 --from 2026-12-09T00:00:00Z --to 2026-12-10T00:00:00Z --step 1h

echo "vornak-sky: $bin ($cases single instants + one 25-row table)"
node "$here/compare.js" "$@" "$all"
