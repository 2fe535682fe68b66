#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `vornak-sky --track` as a shell user runs it against rigctld and rotctld (Hamlib's dummy
# radio and rotator on free loopback ports): status lines once a second, SIGTERM ends it
# with status 0 and the radio where tracking left it; a device that cannot be opened is
# one line and status 2.
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
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null && wait "$p" 2>/dev/null; done
  rm -rf "$dir"
}
trap cleanup EXIT

# A port on which nothing answers now.
free_port() {
  local p
  while :; do
    p=$((20000 + RANDOM % 40000))
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null; then
      echo "$p"
      return
    fi
  done
}
listening() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
start() {  # daemon, port
  "$1" -m 1 -T 127.0.0.1 -t "$2" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do listening "$2" && return; sleep 0.05; done
  echo "FAILED: $1 is not listening on $2" >&2
  exit 1
}
rigport=$(free_port)
start rigctld "$rigport"
rotport=$(free_port)
start rotctld "$rotport"

"$bin" --track --locator JN18eu --sked-mhz 10368.1 --rig 2 --rig-port "127.0.0.1:$rigport" \
  --rot 2 --rot-port "127.0.0.1:$rotport" >"$dir/out" 2>"$dir/err" &
track=$!
sleep 2.6
kill -TERM $track
wait $track
check "SIGTERM: status 0" "[ $? -eq 0 ]"
check "nothing on stderr" "[ ! -s $dir/err ]"
check "a status line a second" "[ \$(grep -c '^20[0-9-]*T[0-9:]*Z Moon El' $dir/out) -ge 2 ]"
# The last line's receive frequency, set and read back, is where the radio stays.
set_mhz=$(tail -1 "$dir/out" | sed -n 's/.*| RX \([0-9.]*\) read \([0-9.]*\) .*/\1 \2/p')
radio_hz=$(rigctl -m 2 -r "127.0.0.1:$rigport" f)
check "the radio is left on the frequency set ($set_mhz, $radio_hz)" \
  "awk -v s='$set_mhz' -v r='$radio_hz' 'BEGIN { split(s, a, \" \"); exit !(a[1] == a[2] && a[1] * 1e6 == r) }'"
check "the rotator's position shown" "tail -1 $dir/out | grep -q '| rotator Az [0-9.-]* El [0-9.-]*'"

# Nothing listening, and a model Hamlib does not know: one line, status 2, nothing out.
for args in "--rig 2 --rig-port 127.0.0.1:$(free_port)" "--rot 999999"; do
  timeout 20 "$bin" --track --locator JN18eu --sked-mhz 10368.1 $args >"$dir/out" 2>"$dir/err"
  status=$?
  check "$args: status 2" "[ $status -eq 2 ]"
  check "$args: one line on stderr" "[ \$(wc -l <$dir/err) -eq 1 ]"
  check "$args: nothing on stdout" "[ ! -s $dir/out ]"
done
exit $fail
