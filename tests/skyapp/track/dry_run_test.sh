#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `vornak-sky --track --dry-run` over one minute against the table of that minute at 1 s
# steps: in each second the frequencies last commanded are the table's figures within the
# radio's step (and the table's 0.05 Hz of rounding), at the band and, through a transverter
# on either side, at the radio. Bad options: status 2 and one line that names the value.
set -uo pipefail
bin=$1 fail=0 dir=$(mktemp -d)
check() { eval "$2" || { echo "FAILED: $1" >&2; fail=1; }; }
trap 'rm -rf "$dir"' EXIT
minute="--from 2026-12-09T14:00:00Z --to 2026-12-09T14:00:59Z"
"$bin" --table --csv --locator JN18eu --dx FN20 $minute --step 1s >"$dir/table" || fail=1

sked=10368.1 table=$dir/table extra=""
run() {  # mode, LO MHz (0: none), side, step Hz; the table $table, the sked $sked MHz
  local args="--mode $1 --rig 1 --rig-step $4 $extra"
  [ "$2" != 0 ] && args="$args --lo-mhz $2 --lo-side $3"
  [ "$1" = dx ] && args="$args --dx FN20"
  "$bin" --track --locator JN18eu --sked-mhz $sked $args --dry-run $minute >"$dir/cmd" 2>"$dir/err"
  check "$*: status 0, nothing on stderr" "[ $? -eq 0 ] && [ ! -s $dir/err ]"
  # receive = f + shift, transmit = f - back at the band, from the table's self_doppler_hz
  # ($10), uplink_doppler_hz ($12), downlink_doppler_hz ($13), dx_doppler_hz ($19) and
  # to_dx_doppler_hz ($20); at the radio band - LO on the low side, LO - band on the high
  # side. Prints how many of the table's seconds agree.
  local good
  good=$(awk -F, -v mode="$1" -v lo="$2" -v side="$3" -v step="$4" -v f="${sked}e6" '
    BEGIN { OFMT = "%.1f" }
    function radio(b) { return lo == 0 ? b : (side == "high" ? lo * 1e6 - b : b - lo * 1e6) }
    function off(a, b) { return (a > b ? a - b : b - a) > step + 0.05 }
    FNR == NR {
      if (FNR > 1) { t[++n] = $1; self[$1] = $10; up[$1] = $12; down[$1] = $13; dx[$1] = $19; todx[$1] = $20 }
      next
    }
    { split($0, w, " ") }
    w[3] == "receive" { rx[w[1]] = w[4] * 1e6 }
    w[3] == "transmit" { tx[w[1]] = w[4] * 1e6 }
    w[3] == "split" { on[w[1]] = w[4] == "on" }
    END {
      for (i = 1; i <= n; i++) {
        s = t[i]; if (s in rx) r = rx[s]; if (s in tx) x = tx[s]; if (s in on) split_ = on[s]
        shift = mode == "own-echo" ? self[s] : mode == "moon" ? down[s] : mode == "dx" ? dx[s] : 0
        back = mode == "moon" ? up[s] : mode == "dx" ? todx[s] : 0
        xt = split_ ? x : r
        if (off(r, radio(f + shift)) || off(xt, radio(f - back))) print s ": " r ", " xt > "/dev/stderr"
        else good++
      }
      print good + 0
    }' "$table" "$dir/cmd" 2>/dev/null)
  check "$* $extra: the 60 seconds on the table's figures ($good)" "[ '$good' = 60 ]"
}
run own-echo 0 low 1
run moon 0 low 10
run dx 10224 low 1
run dx 10512 high 1
run none 10224 low 1
# The Earth's orientation from IERS's finals2000A, as the table reads it: UT1 - UTC = -0.8 s
# around the minute, at 47 GHz, where 0.8 s of the Earth's turn moves the echo by about 4 Hz.
# The dry run with the file is on the table with it, not on the table without.
for day in 08 09 10; do
  printf '2612%s %d.00 P  0.120000 0.000024  0.300000 0.000028  P-0.8000000 0.0000094  ' \
    "$day" $((61374 + 10#$day))
  printf '1.1086 0.0071  P   -91.271     0.219    -9.453     0.300\n'
done >"$dir/finals"
sked=47088.1 table=$dir/table-eop extra="--eop $dir/finals"
"$bin" --table --csv --locator JN18eu --band $sked $minute --step 1s $extra >"$table" || fail=1
run own-echo 0 low 1
"$bin" --table --csv --locator JN18eu --band $sked $minute --step 1s >"$table" || fail=1
before=$fail fail=0
run own-echo 0 low 1 2>/dev/null
without=$fail fail=$before
check "the dry run with --eop is not on the table without it" "[ $without = 1 ]"
base="--track --locator JN18eu --sked-mhz 10368.1 --rig 2"
while IFS='|' read -r args named; do
  "$bin" $args >"$dir/out" 2>"$dir/err"
  check "$args: status 2, one line naming $named" \
    "[ $? -eq 2 ] && [ ! -s $dir/out ] && [ \$(wc -l <$dir/err) -eq 1 ] && grep -q -- '$named' $dir/err"
done <<ROWS
--track --locator JN18eu --rig 2|--sked-mhz
--track --locator JN18eu --sked-mhz 10368|--rig MODEL
$base --mode bounce|bounce
$base --mode dx|--dx
$base --dx FN20|--mode dx
$base --rig-step 0|--rig-step
$base --lo-mhz 10400|low side
$base --rot-port /dev/ttyUSB1|--rot MODEL
$base --rig-speed 9600.5|9600.5
$base --park 180|180
$base --from 2026-12-09T14:00Z --to 2026-12-09T14:01Z|--dry-run
$base --sked-mhz 432|twice
$base --lat 95 --lon 0|--locator
$base --eop /no-such-finals|/no-such-finals
ROWS
exit $fail
