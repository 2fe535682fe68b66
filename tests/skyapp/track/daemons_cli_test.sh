#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `vornak-sky --track` against rigctld and rotctld (Hamlib's dummies on free loopback ports):
# a status line a second, SIGTERM ends it with status 0 and the radio left on the frequency
# set; a device that cannot be opened is one line on stderr and status 2.
set -uo pipefail
bin=$1 fail=0 dir=$(mktemp -d) pids=()
check() { eval "$2" || { echo "FAILED: $1" >&2; fail=1; }; }
trap 'for p in "${pids[@]}"; do kill "$p" && wait "$p"; done 2>/dev/null; rm -rf "$dir"' EXIT
listening() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
free_port() { local p; while p=$((20000 + RANDOM % 40000)); listening $p; do :; done; echo $p; }
start() {  # daemon, port, its client and a query: ready once the client is answered
  "$1" -m 1 -T 127.0.0.1 -t "$2" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do "$3" -m 2 -r "127.0.0.1:$2" "$4" >/dev/null 2>&1 && return; sleep 0.05; done
  echo "FAILED: $1 does not answer on $2" >&2 && exit 1
}
rig=$(free_port) && start rigctld "$rig" rigctl f
rot=$(free_port) && start rotctld "$rot" rotctl p

"$bin" --track --locator JN18eu --sked-mhz 10368.1 --rig 2 --rig-port "127.0.0.1:$rig" \
  --rot 2 --rot-port "127.0.0.1:$rot" >"$dir/out" 2>"$dir/err" &
track=$!
sleep 3.6 && kill -TERM $track
wait $track
check "SIGTERM: status 0, nothing on stderr ($(cat $dir/err))" "[ $? -eq 0 ] && [ ! -s $dir/err ]"
check "a status line a second" "[ \$(grep -c '^20[-0-9]*T[:0-9]*Z Moon El .* | rotator Az' $dir/out) -ge 2 ]"
# The last receive frequency set and read back (MHz) is where the radio stays (Hz). Under a
# heavy load a second's commands may wait for the next (never from figures over a second old).
last=$(grep '| RX [0-9]' "$dir/out" | tail -1)
read -r set got <<<"$(sed -n 's/.*| RX \([0-9.]*\) read \([0-9.]*\) .*/\1 \2/p' <<<"$last")"
radio=$(rigctl -m 2 -r "127.0.0.1:$rig" f)
check "radio left on $set MHz (read $got, now $radio Hz): $last" "[ '$set' = '$got' ] && [ '${set/./}' = '$radio' ]"

for args in "--rig 2 --rig-port 127.0.0.1:$(free_port)" "--rot 999999"; do
  timeout 20 "$bin" --track --locator JN18eu --sked-mhz 10368.1 $args >"$dir/out" 2>"$dir/err"
  check "$args: status 2, one line on stderr, nothing on stdout" \
    "[ $? -eq 2 ] && [ \$(wc -l <$dir/err) -eq 1 ] && [ ! -s $dir/out ]"
done
exit $fail
