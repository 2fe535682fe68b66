#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `vornak-sky --track --dry-run` over one minute, against the table of the same minute at
# one-second steps: in each second, the frequencies last commanded are the table's figures
# within the radio's step (and the table's 0.05 Hz of rounding), at the band and, through a
# transverter on either side, at the radio; the dish is within its step of the Moon.
set -uo pipefail
bin=$1
fail=0
check() {  # description, condition
  if ! eval "$2"; then
    echo "FAILED: $1" >&2
    fail=1
  fi
}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
minute="--from 2026-12-09T14:00:00Z --to 2026-12-09T14:00:59Z"
stations="--locator JN18eu --dx FN20"
"$bin" --table --csv $stations $minute --step 1s >"$dir/table" || fail=1

# Reads the table, then the commands; for each second of the table, checks the receive and
# transmit frequencies in effect at the radio (MHz in the commands) against
#   receive  = f + shift, transmit = f - back   (band, Hz)
# with shift and back from the table's columns as the mode says, converted to the radio by
#   none: radio = band;  low LO: radio = band - LO;  high LO: radio = LO - band.
# Prints the number of seconds that agree.
agree() {  # mode, sked MHz, LO MHz (0: none), high (0/1), step Hz, commands file
  awk -F, -v mode="$1" -v f="$2" -v lo="$3" -v high="$4" -v step="$5" '
    function radio(band) { return lo == 0 ? band : (high ? lo * 1e6 - band : band - lo * 1e6) }
    function abs(x) { return x < 0 ? -x : x }
    BEGIN { OFMT = "%.1f" }
    FNR == NR { if (FNR > 1) { n++; t[n] = $1; self[$1] = $10; dx[$1] = $15; el[$1] = $2; az[$1] = $3 } next }
    { split($0, w, " ") }
    w[2] == "radio" && w[3] == "receive" { rx[w[1]] = w[4] * 1e6 }
    w[2] == "radio" && w[3] == "transmit" { tx[w[1]] = w[4] * 1e6 }
    w[2] == "radio" && w[3] == "split" { split_[w[1]] = w[4] }
    END {
      good = 0
      for (i = 1; i <= n; i++) {
        s = t[i]
        if (s in rx) r = rx[s]
        if (s in tx) x = tx[s]
        if (s in split_) on = split_[s] == "on"
        fhz = f * 1e6
        if (mode == "own-echo") { wr = fhz + self[s]; wt = fhz }
        if (mode == "moon") { wr = fhz + self[s] / 2; wt = fhz - self[s] / 2 }
        if (mode == "dx") { wr = fhz + dx[s]; wt = fhz - dx[s] }
        if (mode == "none") { wr = fhz; wt = fhz }
        xt = on ? x : r
        if (abs(r - radio(wr)) <= step + 0.05 && abs(xt - radio(wt)) <= step + 0.05) good++
        else print "second " s ": receive " r " transmit " xt " against " radio(wr) ", " radio(wt) > "/dev/stderr"
      }
      print good
    }' "$dir/table" "$6"
}

run() {  # mode, LO MHz (0: none), side, step Hz
  local extra="--rig 1 --rig-step $4"
  [ "$2" != 0 ] && extra="$extra --lo-mhz $2 --lo-side $3"
  local dx=""
  [ "$1" = dx ] && dx="--dx FN20"
  "$bin" --track --locator JN18eu $dx --sked-mhz 10368.1 --mode "$1" $extra --dry-run $minute \
    >"$dir/commands" 2>"$dir/err"
  check "$*: status 0, nothing on stderr" "[ $? -eq 0 ] && [ ! -s $dir/err ]"
  check "$*: the first commands at the first second" \
    "head -1 $dir/commands | grep -q '^2026-12-09T14:00:00Z radio receive'"
  local good
  good=$(agree "$1" 10368.1 "$2" "$([ "$3" = high ] && echo 1 || echo 0)" "$4" "$dir/commands")
  check "$*: all 60 seconds on the table's figures ($good)" "[ '$good' = 60 ]"
}
run own-echo 0 low 1
run moon 0 low 10
run dx 10224 low 1
run dx 10512 high 1
run none 10224 low 1

# The dish: each second's last command within the 1° step of the table's Moon, and no
# command while the Moon moves less than that.
"$bin" --track --locator JN18eu --sked-mhz 10368.1 --rot 1 --dry-run $minute >"$dir/rot"
check "rotator: one command at the start" "[ \$(grep -c rotator $dir/rot) -ge 1 ]"
good=$(awk -F, '
  function abs(x) { return x < 0 ? -x : x }
  FNR == NR { if (FNR > 1) { n++; t[n] = $1; el[$1] = $2; az[$1] = $3 } next }
  { split($0, w, " "); if (w[2] == "rotator") { a[w[1]] = w[4]; e[w[1]] = w[6] } }
  END { for (i = 1; i <= n; i++) { s = t[i]; if (s in a) { ca = a[s]; ce = e[s] }
          if (abs(ca - az[s]) < 1 && abs(ce - el[s]) < 1) good++ } print good }' \
  "$dir/table" "$dir/rot")
check "rotator: all 60 seconds within the step ($good)" "[ '$good' = 60 ]"
exit $fail
