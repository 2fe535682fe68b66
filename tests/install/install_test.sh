#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the built programs into a fresh prefix and checks what a desktop needs to list each
# in its application menu: the binary on the prefix's PATH, a desktop entry that validates and
# names that binary and the icon, and the icon itself, a scalable picture of its own.
#
# Usage: install_test.sh <cmake> <build directory> <built vornak> <built vornak-sky>
set -euo pipefail

usage="usage: install_test.sh <cmake> <build directory> <built vornak> <built vornak-sky>"
cmake_bin=${1:?$usage}
build_dir=${2:?$usage}
built_classroom=${3:?$usage}
built_sky=${4:?$usage}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

"$cmake_bin" --install "$build_dir" --prefix "$prefix" >"$prefix/.install.log" 2>&1 ||
  fail "cmake --install failed: $(cat "$prefix/.install.log")"

# The value of key in the [Desktop Entry] group of $entry (untranslated form).
value_of() {
  awk -F= -v key="$1" '
    /^\[/ { group = $0 }
    group == "[Desktop Entry]" && $1 == key { sub(/^[^=]*=/, ""); print; exit }' "$entry"
}

# check_program <program> <menu name> <the binary just built>
check_program() {
  local program=$1 name=$2 built=$3 binary entry icon status report exec_line exec_cmd
  local vb_x vb_y vb_w vb_h circles
  binary=$prefix/bin/$program
  entry=$prefix/share/applications/$program.desktop
  icon=$prefix/share/icons/hicolor/scalable/apps/$program.svg

  [ -f "$binary" ] && [ -x "$binary" ] || fail "no executable $binary"
  cmp -s "$binary" "$built" || fail "the installed binary is not the one just built"
  [ -f "$entry" ] || fail "no desktop entry $entry"
  [ -f "$icon" ] || fail "no icon $icon"

  # ---- the desktop entry ---------------------------------------------------------------------
  command -v desktop-file-validate >/dev/null ||
    fail "desktop-file-validate is missing (package desktop-file-utils, scripts/install-deps.sh)"
  status=0
  report=$(desktop-file-validate "$entry" 2>&1) || status=$?
  [ "$status" -eq 0 ] || fail "desktop-file-validate rejects the entry: $report"
  # Hints are advice; errors and warnings mean a menu may drop or misfile the entry.
  if grep -Eq '(error|warning):' <<<"$report"; then fail "desktop-file-validate: $report"; fi

  [ "$(value_of Type)" = "Application" ] || fail "Type is \"$(value_of Type)\", not Application"
  [ "$(value_of Name)" = "$name" ] || fail "Name is \"$(value_of Name)\", not $name"
  [ "$(value_of NoDisplay)" != "true" ] || fail "the entry hides itself from menus (NoDisplay)"
  [ "$(value_of Terminal)" = "false" ] || fail "a window program must not ask for a terminal"
  # A menu starts the program by the command of Exec, found on the PATH of the prefix.
  exec_line=$(value_of Exec)
  exec_cmd=${exec_line%% *}
  [ "$exec_cmd" = "$program" ] || [ "$exec_cmd" = "$binary" ] ||
    fail "Exec=\"$exec_line\" does not start the installed program"
  [ "$(PATH="$prefix/bin" command -v "$exec_cmd")" = "$binary" ] ||
    fail "Exec command $exec_cmd is not found in $prefix/bin"
  # Neither program opens files, so the entry passes it no file or URL.
  if grep -Eq '%[fFuU]' <<<"$exec_line"; then fail "Exec passes files or URLs: $exec_line"; fi
  # An icon theme name, looked up in the hicolor theme where the icon was installed.
  [ "$(value_of Icon)" = "$program" ] || fail "Icon is \"$(value_of Icon)\", not the theme name $program"

  # ---- the icon ------------------------------------------------------------------------------
  # A scalable icon: an SVG document with a square view box, drawing at least a few shapes
  # (the Earth and the Moon).
  grep -q '<svg[^>]*xmlns="http://www.w3.org/2000/svg"' "$icon" || fail "the icon is not SVG"
  read -r vb_x vb_y vb_w vb_h < <(sed -n 's/.*viewBox="\([^"]*\)".*/\1/p' "$icon" | head -n 1) ||
    fail "the icon has no viewBox"
  [ "$vb_w" = "$vb_h" ] && [ "$vb_w" != "0" ] || fail "the icon's view box $vb_x $vb_y $vb_w $vb_h is not square"
  circles=$(grep -c '<circle' "$icon" || true)
  [ "$circles" -ge 2 ] || fail "the icon draws $circles circles; the Earth and the Moon need two"
}

check_program vornak "Vornak" "$built_classroom"
check_program vornak-sky "Vornak Sky" "$built_sky"
echo "PASS"
