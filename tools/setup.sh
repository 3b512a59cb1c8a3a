#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine, and makes
# SQLite from Debian's source package (tools/fetch_sqlite.sh). Safe to run
# again: it only installs what is missing and makes SQLite only where the
# build folder lacks it; where nothing is missing it needs no root.
# Installing does: as root it installs directly, otherwise through sudo where
# there is one, else it says what to install and fails.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# ccache: the build folders share their objects; fonts-wqy-microhei: the
# glyphs of Chinese and Japanese names in the Wine prefixes; clang with
# libclang-rt-14-dev: libFuzzer for the fuzz targets; nlohmann-json3-dev: the
# header-only JSON library of the command line's report; dpkg-dev, tcl and
# xz-utils: SQLite's source package unpacked and its amalgamation made.
for p in cmake make g++ python3 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
         wine wine64 wine32:i386 fonts-wine fonts-wqy-microhei xvfb xauth imagemagick xdotool \
         fp-utils fp-compiler fp-units-misc fp-units-fcl fpc-source nsis zip unzip \
         ccache clang libclang-rt-14-dev nlohmann-json3-dev dpkg-dev tcl xz-utils; do
  have "$p" || need+=("$p")
done
# SQLite, built once from Debian's source package into the build folder.
sqlite() { bash tools/fetch_sqlite.sh; }
cd "$(dirname "$0")/.."
if [ ${#need[@]} -eq 0 ]; then
  sqlite
  exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "setup: missing ${need[*]}; installing them needs root: run 'bash tools/setup.sh' as root" >&2
    exit 1
  fi
  as_root=(sudo)
fi
echo "Installing: ${need[*]}"
# wine32 comes from the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${as_root[@]}" dpkg --add-architecture i386
fi
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
sqlite
