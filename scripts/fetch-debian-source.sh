#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fetches one Debian source package from the machine's own archive and unpacks it, upstream
# sources with Debian's patches applied, into DEST/PACKAGE: the browser build compiles ERFA
# and Swiss Ephemeris from these, so the page computes with the code the desktop links.
# apt works in DEST/.apt with a sources list and lists of its own (deb-src lines made from
# the machine's deb lines), and never touches the machine's.
# Usage: fetch-debian-source.sh PACKAGE DEST
set -euo pipefail
package=$1
dest=$(realpath -m "$2")
out=$dest/$package
if [ -f "$out/.unpacked" ]; then exit 0; fi

apt_dir=$dest/.apt
mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$dest/files"
rm -f "$apt_dir/parts/"*
shopt -s nullglob
for f in /etc/apt/sources.list.d/*.sources; do
  sed 's/^Types:.*$/Types: deb-src/' "$f" >"$apt_dir/parts/$(basename "$f")"
done
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$f" ] || continue
  sed -n 's/^deb \(.*\)$/deb-src \1/p' "$f" >"$apt_dir/parts/$(basename "$f" .list)-src.list"
done
opts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir/parts"
      -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
      -o APT::Sandbox::User=root -q)
if [ ! -f "$apt_dir/updated" ]; then
  apt-get "${opts[@]}" update >/dev/null
  touch "$apt_dir/updated"
fi
cd "$dest/files"
# The Debian part of a package can be missing from a mirror while its upstream tarball is
# there; the upstream sources are then built as they are, and the build says so.
if ! apt-get "${opts[@]}" source --download-only "$package" >/dev/null 2>"$dest/$package.log"; then
  echo "fetch-debian-source: $package: $(grep -m1 '^E:' "$dest/$package.log" || true)" >&2
fi
dscs=("${package}"_*.dsc)
[ ${#dscs[@]} -gt 0 ] || { echo "fetch-debian-source: $package: no source package found" >&2; exit 1; }
dsc=${dscs[-1]}
version=$(sed -n 's/^Version: //p' "$dsc")
upstream=${version%-*}
upstream=${upstream#*:}
origs=("${package}_${upstream}".orig.tar.*)
[ ${#origs[@]} -gt 0 ] || { echo "fetch-debian-source: $package: no upstream tarball" >&2; exit 1; }
orig=${origs[0]}
rm -rf "$out" "$out.tmp"
mkdir -p "$out.tmp"
tar -xf "$orig" -C "$out.tmp" --strip-components=1
debians=("${package}_${version#*:}".debian.tar.*)
if [ ${#debians[@]} -gt 0 ]; then
  debian=${debians[0]}
  tar -xf "$debian" -C "$out.tmp"
  if [ -f "$out.tmp/debian/patches/series" ]; then
    while read -r p _; do
      case "$p" in '' | '#'*) continue ;; esac
      patch -s -p1 -d "$out.tmp" <"$out.tmp/debian/patches/$p"
    done <"$out.tmp/debian/patches/series"
  fi
  echo "Debian $package $version" >"$out.tmp/.unpacked"
else
  echo "fetch-debian-source: $package: built from its upstream $upstream alone" >&2
  echo "upstream $package $upstream (Debian's patches missing from the archive)" >"$out.tmp/.unpacked"
fi
mv "$out.tmp" "$out"
