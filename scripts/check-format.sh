#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails, rewriting nothing, when a C++ file is not formatted with the root .clang-format or a
# source file lacks its licence line. `make format` mends the first.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
mapfile -t cxx < <(git ls-files -co --exclude-standard '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${cxx[@]}" 2>/tmp/vornak-format.$$; then
  grep -o '^[^:]*:[0-9]*' /tmp/vornak-format.$$ | sort -u -t: -k1,1 | sed 's/^/not formatted: /' >&2
  status=1
fi
rm -f /tmp/vornak-format.$$

# Every source file names its licence in its first lines (after a #! line).
while IFS= read -r f; do
  [ -f "$f" ] || continue
  if ! head -n 3 "$f" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later'; then
    echo "no SPDX licence line: $f" >&2
    status=1
  fi
done < <(git ls-files -co --exclude-standard '*.cpp' '*.h' '*.sh' '*.js' '*CMakeLists.txt' \
           Makefile .ci/run | grep -v '/node_modules/')

exit $status
