#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real vornak-sky binary as a shell user meets it: exit statuses, what goes to stdout
# and stderr, rows counted and streamed, a closed pipe ended quietly.
set -uo pipefail
bin=$1
fail=0
check() {  # description, condition
  if ! eval "$2"; then
    echo "FAILED: $1" >&2
    fail=1
  fi
}
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

# Bad input: status 2, one line on stderr, nothing on stdout.
for args in "--table --lat 95 --lon 0" "--table --locator JN18 --from 2026-12-09T00:00Z" \
            "--table" "--table --locator JN18 --at 2026-12-09T00:00Z --band nan"; do
  "$bin" $args >"$out" 2>"$err"
  status=$?
  check "$args: status 2" "[ $status -eq 2 ]"
  check "$args: nothing on stdout" "[ ! -s $out ]"
  check "$args: one line on stderr" "[ \$(wc -l <$err) -eq 1 ]"
done

# A day at 10 s steps, as CSV: a header and 8,641 rows, each with eleven columns.
"$bin" --table --csv --locator JN18eu --from 2026-12-09T00:00Z --to 2026-12-10T00:00Z \
  --step 10s >"$out" 2>"$err"
check "day table: status 0" "[ $? -eq 0 ]"
check "day table: 8,642 lines" "[ \$(wc -l <$out) -eq 8642 ]"
check "day table: 11 columns" "[ \$(awk -F, '{print NF}' $out | sort -u) = 11 ]"
check "day table: last row at midnight" "tail -1 $out | grep -q '^2026-12-10T00:00:00Z,'"

# A year at 1 s steps into a pipe closed after two lines: quiet, status 0, at once.
timeout 20 "$bin" --table --locator JN18eu --from 2026-01-01T00:00Z --to 2027-01-01T00:00Z \
  --step 1s 2>"$err" | head -2 >"$out"
statuses=("${PIPESTATUS[@]}")
check "closed pipe: status 0" "[ ${statuses[0]} -eq 0 ]"
check "closed pipe: nothing on stderr" "[ ! -s $err ]"

"$bin" --help >"$out" 2>"$err"
check "--help: status 0 and usage on stdout" "[ $? -eq 0 ] && grep -q -- --locator $out"
"$bin" --version >"$out"
check "--version" "grep -q '^vornak-sky [0-9]' $out"
exit $fail
