#!/usr/bin/env bash
# Builds the release package from the programs in dist/:
#   dist/VelnorCleaner-<version>-portable.zip      the 32-bit program, the user
#                                                  manual (when it has been
#                                                  built) and a short readme
#   dist/VelnorCleaner-<version>-portable-x64.zip  the same for the 64-bit build
#                                                  (dist/x64/)
#   dist/VelnorCleaner-<version>-setup.exe         the per-user installer with
#                                                  both programs in it
#                                                  (installer/velnor.nsi, NSIS)
# Called by tools/build.sh after both Windows builds; VELNOR_BUILD names the
# build folder that holds the staging area.
set -euo pipefail
cd "$(dirname "$0")/.."
B=${VELNOR_BUILD:-build}
VERSION=$(<VERSION)
readme=installer/ReadMe.txt
for exe in dist/VelnorCleaner.exe dist/x64/VelnorCleaner.exe; do
  [ -f "$exe" ] || { echo "package: $exe is missing; build the programs first" >&2; exit 1; }
done
rm -rf "$B/package"

# A portable package: one folder with everything in it, the program and its
# help file named as the program looks for them.
portable() { # program folder, folder in the zip, zip name
  local from=$1 name=$2 zip=$3
  local stage=$B/package/$name
  mkdir -p "$stage"
  cp "$from/VelnorCleaner.exe" "$stage/"
  if [ -f "$from/VelnorCleaner.chm" ]; then
    cp "$from/VelnorCleaner.chm" "$stage/"
  else
    echo "package: no $from/VelnorCleaner.chm yet; $zip goes without the user manual" >&2
  fi
  # The readme with its version and Windows line ends, for Notepad.
  sed "s/@VELNOR_VERSION@/$VERSION/; s/\r*\$/\r/" "$readme" >"$stage/ReadMe.txt"
  local zip_out; zip_out=$(realpath -m "dist/$zip")
  rm -f "$zip_out"
  (cd "$B/package" && zip -q -X -r "$zip_out" "$name")
}
portable dist "VelnorCleaner-$VERSION" "VelnorCleaner-$VERSION-portable.zip"
portable dist/x64 "VelnorCleaner-$VERSION-x64" "VelnorCleaner-$VERSION-portable-x64.zip"

# The installer.
if ! command -v makensis >/dev/null 2>&1; then
  echo "package: makensis is missing (Debian package nsis); no installer" >&2
  exit 1
fi
nsis_args=(-V2 -DTARGET=x86-unicode -DVERSION="$VERSION"
           -DEXE="$(realpath dist/VelnorCleaner.exe)" -DEXE64="$(realpath dist/x64/VelnorCleaner.exe)"
           -DREADME="$(realpath "$B/package/VelnorCleaner-$VERSION/ReadMe.txt")"
           -DOUTFILE="$(realpath -m "dist/VelnorCleaner-$VERSION-setup.exe")")
[ -f dist/VelnorCleaner.chm ] && nsis_args+=(-DCHM="$(realpath dist/VelnorCleaner.chm)")
makensis "${nsis_args[@]}" installer/velnor.nsi
echo "package: dist/VelnorCleaner-$VERSION-portable.zip dist/VelnorCleaner-$VERSION-portable-x64.zip" \
     "dist/VelnorCleaner-$VERSION-setup.exe"
