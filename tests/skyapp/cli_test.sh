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
out=$(mktemp) err=$(mktemp) dir=$(mktemp -d)
trap 'rm -rf "$out" "$err" "$dir"' EXIT
# An EOP file whose second row holds a letter in its UT1-UTC field (columns 59-68).
printf '%s\n' \
  '26 1 1 61041.00 I  0.103750 0.000091  0.290513 0.000091  I 0.0750558 0.0000147' \
  '26 1 2 61042.00 I  0.102620 0.000091  0.290660 0.000091  I 0.07x0000 0.0000147' \
  >"$dir/bad_finals2000A.txt"

# Bad input: status 2, one line on stderr, nothing on stdout.
span="--from 2026-12-09T00:00Z --to 2026-12-10T00:00Z"
for args in "--table --lat 95 --lon 0" "--table --locator JN18 --from 2026-12-09T00:00Z" \
            "--table" "--table --locator JN18 --at 2026-12-09T00:00Z --band nan" \
            "--table --locator JN18 --moon elp" "--table --locator JN18 --min-el 5" \
            "--table --locator JN18 --windows $span" \
            "--table --locator JN18 --dx FN20 --windows $span --min-el 90" \
            "--table --locator JN18 --dx FN20 --windows $span --min-el x" \
            "--table --locator JN18 --dx FN20 --windows --at 2026-12-09T00:00Z" \
            "--table --locator JN18 --eop $dir/none" "--table --locator JN18 --eop $dir/bad_finals2000A.txt"; do
  "$bin" $args >"$out" 2>"$err"
  status=$?
  check "$args: status 2" "[ $status -eq 2 ]"
  check "$args: nothing on stdout" "[ ! -s $out ]"
  check "$args: one line on stderr" "[ \$(wc -l <$err) -eq 1 ]"
done

# The bad EOP file is named with its line.
"$bin" --table --locator JN18 --eop "$dir/bad_finals2000A.txt" 2>"$err"
check "bad EOP file: file and line named" "grep -q 'bad_finals2000A.txt:2:' $err"

# Without the Swiss Ephemeris files: one line on stderr, eraMoon98 named in the title, the
# CSV still one header line.
SE_EPHE_PATH=$dir "$bin" --table --locator JN18 --at 2026-12-09T00:00Z >"$out" 2>"$err"
check "no ephemeris files: status 0" "[ $? -eq 0 ]"
check "no ephemeris files: one line on stderr naming the file" \
  "[ \$(wc -l <$err) -eq 1 ] && grep -q 'se1' $err"
check "no ephemeris files: the title names eraMoon98" "head -1 $out | grep -q eraMoon98"
SE_EPHE_PATH=$dir "$bin" --table --csv --locator JN18 --at 2026-12-09T00:00Z >"$out" 2>/dev/null
check "no ephemeris files: CSV header and one row" "[ \$(wc -l <$out) -eq 2 ] && head -1 $out | grep -q '^utc,'"
"$bin" --table --locator JN18 --at 2026-12-09T00:00Z >"$out" 2>"$err"
check "ephemeris files: nothing on stderr, Swiss Ephemeris named" \
  "[ ! -s $err ] && head -1 $out | grep -q 'Swiss Ephemeris'"

# A day at 10 s steps, as CSV: a header and 8,641 rows, each with fifteen columns.
"$bin" --table --csv --locator JN18eu --from 2026-12-09T00:00Z --to 2026-12-10T00:00Z \
  --step 10s >"$out" 2>"$err"
check "day table: status 0" "[ $? -eq 0 ]"
check "day table: 8,642 lines" "[ \$(wc -l <$out) -eq 8642 ]"
check "day table: 15 columns" "[ \$(awk -F, '{print NF}' $out | sort -u) = 15 ]"
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
