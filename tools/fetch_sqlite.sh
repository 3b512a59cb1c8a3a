#!/usr/bin/env bash
# Makes the SQLite amalgamation (sqlite3.c, sqlite3.h) that the programs and
# the tests compile in, from Debian bookworm's own source package "sqlite3" at
# the version in tools/sqlite_version, with Debian's patches applied and with
# SQLite's own build tools. Once: a folder that already holds that version is
# left as it is.
#
#   bash tools/fetch_sqlite.sh [folder]     (default: build/sqlite-VERSION)
#
# The package comes through a private source list and private package lists,
# so the machine's apt configuration and state stay as they are; no root is
# needed. The Debian mirror is the one the machine's own sources use for
# bookworm (deb.debian.org where it has none); VELNOR_DEBIAN_MIRROR overrides it.
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(head -n1 tools/sqlite_version)
out=${1:-${VELNOR_BUILD:-build}/sqlite-$version}
if [ -f "$out/sqlite3.c" ] && [ -f "$out/sqlite3.h" ] && [ "$(cat "$out/VERSION" 2>/dev/null)" = "$version" ]; then
  exit 0
fi
for tool in apt-get dpkg-source tclsh cc make; do
  command -v $tool >/dev/null 2>&1 || { echo "fetch_sqlite: $tool is missing; run bash tools/setup.sh" >&2; exit 1; }
done

mirror=${VELNOR_DEBIAN_MIRROR:-}
if [ -z "$mirror" ]; then
  mirror=$(apt-get indextargets --no-release-info --format '$(RELEASE) $(REPO_URI)' 2>/dev/null |
           awk '$1 == "bookworm" { print $2; exit }')
fi
mirror=${mirror:-http://deb.debian.org/debian/}
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
signed=
[ -f $keyring ] && signed="[signed-by=$keyring] "

work=$(mktemp -d "${TMPDIR:-/tmp}/velnor-sqlite.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$work/src"
echo "deb-src ${signed}${mirror%/} bookworm main" >"$work/sources.list"
apt_options=(-o Dir::Etc::sourcelist="$work/sources.list" -o Dir::Etc::sourceparts=- \
             -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache" -o APT::Sandbox::User="$(id -un)")
echo "Fetching Debian's sqlite3 $version source from $mirror"
apt-get "${apt_options[@]}" -qq update
(cd "$work/src" && apt-get "${apt_options[@]}" -qq source --download-only "sqlite3=$version" >/dev/null)
# apt checked the files against the signed index; the maintainer's own
# signature needs a keyring that the machine may not have, so its warning goes
# to the log.
dpkg-source -q -x "$work/src/sqlite3_$version.dsc" "$work/sqlite" >"$work/unpack.log" 2>&1 || {
  cat "$work/unpack.log" >&2
  exit 1
}

echo "Making the SQLite amalgamation"
mkdir "$work/sqlite/bld"
(cd "$work/sqlite/bld" && ../configure --disable-tcl >"$work/configure.log" 2>&1 &&
 make sqlite3.c >"$work/make.log" 2>&1) || {
  tail -20 "$work/configure.log" "$work/make.log" 2>/dev/null >&2
  echo "fetch_sqlite: making the amalgamation failed" >&2
  exit 1
}
mkdir -p "$out"
cp "$work/sqlite/bld/sqlite3.c" "$work/sqlite/bld/sqlite3.h" "$work/sqlite/LICENSE.md" "$out/"
echo "$version" >"$out/VERSION"
