#!/usr/bin/env bash
# Builds the release package from the 32-bit program of the build folder:
#   dist/VelnorCleaner-<version>-portable.zip  the program, the user manual
#                                              (dist/VelnorCleaner.chm, when it
#                                              has been built) and a short readme
#   dist/VelnorCleaner-<version>-setup.exe     the per-user installer
#                                              (installer/velnor.nsi, NSIS)
# Called by tools/build.sh after the 32-bit build; VELNOR_BUILD names the
# build folder that holds the staging area.
set -euo pipefail
cd "$(dirname "$0")/.."
B=${VELNOR_BUILD:-build}
VERSION=1.13
exe=$B/win32/VelnorCleaner.exe
chm=dist/VelnorCleaner.chm
readme=installer/ReadMe.txt
[ -f "$exe" ] || { echo "package: $exe is missing; build the program first" >&2; exit 1; }

# The portable package: one folder with everything in it.
stage=$B/package/VelnorCleaner-$VERSION
rm -rf "$B/package"
mkdir -p "$stage"
cp "$exe" "$stage/VelnorCleaner.exe"
if [ -f "$chm" ]; then
  cp "$chm" "$stage/VelnorCleaner.chm"
else
  echo "package: no $chm yet; the packages go without the user manual" >&2
fi
# The readme with Windows line ends, for Notepad.
sed 's/\r*$/\r/' "$readme" >"$stage/ReadMe.txt"
zip_out=$(realpath -m "dist/VelnorCleaner-$VERSION-portable.zip")
rm -f "$zip_out"
(cd "$B/package" && zip -q -X -r "$zip_out" "VelnorCleaner-$VERSION")

# The installer.
if ! command -v makensis >/dev/null 2>&1; then
  echo "package: makensis is missing (Debian package nsis); no installer" >&2
  exit 1
fi
nsis_args=(-V2 -DTARGET=x86-unicode -DVERSION="$VERSION" -DEXE="$(realpath "$exe")"
           -DREADME="$(realpath "$stage/ReadMe.txt")" -DOUTFILE="$(realpath -m "dist/VelnorCleaner-$VERSION-setup.exe")")
[ -f "$chm" ] && nsis_args+=(-DCHM="$(realpath "$chm")")
makensis "${nsis_args[@]}" installer/velnor.nsi
echo "package: dist/VelnorCleaner-$VERSION-portable.zip dist/VelnorCleaner-$VERSION-setup.exe"
