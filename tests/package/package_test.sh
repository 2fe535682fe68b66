#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from the release build and checks it as apt and a desktop will
# read it: its name and version, the files it installs, its desktop entries and AppStream
# description, and a Depends line with the run-time packages only.
#
# Usage: package_test.sh <build directory> <project version>
set -euo pipefail
build_dir=${1:?usage: package_test.sh <build directory> <version>}
version=${2:?usage: package_test.sh <build directory> <version>}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

(cd "$build_dir" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) ||
  fail "cpack failed: $(tail -20 "$work/cpack.log")"
arch=$(dpkg --print-architecture)
deb="$work/out/vornak_${version}_${arch}.deb"
[ -f "$deb" ] || fail "no $deb; cpack made: $(ls "$work/out")"

# ---- what it installs ----------------------------------------------------------------------
dpkg-deb -x "$deb" "$work/root"
for f in usr/bin/vornak usr/bin/vornak-sky; do
  [ -x "$work/root/$f" ] || fail "the package has no executable /$f"
done
for p in vornak vornak-sky; do
  [ -f "$work/root/usr/share/applications/$p.desktop" ] || fail "no desktop entry for $p"
  [ -f "$work/root/usr/share/icons/hicolor/scalable/apps/$p.svg" ] || fail "no SVG icon for $p"
  for size in 16 32 48 64 128 256; do
    png="$work/root/usr/share/icons/hicolor/${size}x${size}/apps/$p.png"
    [ -f "$png" ] || fail "no ${size} px icon for $p"
    # A PNG of exactly that size: the width and height in its header.
    read -r w h < <(od -An -tu1 -j16 -N8 "$png" |
      awk '{ print $3 * 256 + $4, $7 * 256 + $8 }')
    [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "$p's ${size} px icon is ${w}x${h}"
  done
  desktop-file-validate "$work/root/usr/share/applications/$p.desktop" ||
    fail "desktop-file-validate rejects $p.desktop"
done
# Nothing outside /usr: removing the package then leaves nothing behind.
outside=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -v '^\./usr/' | grep -v '^\./$' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

metainfo="$work/root/usr/share/metainfo/org.vornak.Vornak.metainfo.xml"
[ -f "$metainfo" ] || fail "no AppStream metainfo"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo's release is not $version"
grep -q '<metadata_license>CC0-1.0</metadata_license>' "$metainfo" || fail "metadata licence"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" || fail "project licence"
for p in vornak vornak-sky; do
  grep -q "<launchable type=\"desktop-id\">$p.desktop</launchable>" "$metainfo" ||
    fail "$p is not a launchable of the metainfo"
done

# ---- its fields ----------------------------------------------------------------------------
[ "$(dpkg-deb -f "$deb" Package)" = vornak ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6charts6 liberfa1 'libstdc\+\+6' libc6 fonts-wine \
              fonts-dejavu-core; do
  grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed"
done
! grep -Eq -- '-dev( |,|$)' <<<"$depends" || fail "Depends names a -dev package"
! grep -Eq '(^|, )(g\+\+|gcc|cmake)' <<<"$depends" || fail "Depends names a compiler"
# ---- as Debian's own tool judges it --------------------------------------------------------
# No error. The maintainer's address stays a warning until the project has a domain.
lintian --no-tag-display-limit "$deb" >"$work/lintian.log" 2>&1 || true
cat "$work/lintian.log"
! grep -q '^E: ' "$work/lintian.log" || fail "lintian reports errors"
for page in vornak vornak-sky; do
  [ -f "$work/root/usr/share/man/man1/$page.1.gz" ] || fail "no man page for $page"
done
# help2man writes each option's dashes escaped for troff.
zcat "$work/root/usr/share/man/man1/vornak-sky.1.gz" >"$work/vornak-sky.1"
grep -qF -- '\-\-passes' "$work/vornak-sky.1" || fail "vornak-sky(1) lacks the options of its --help"

echo "PASS: $(basename "$deb"), $(stat -c %s "$deb") bytes"
