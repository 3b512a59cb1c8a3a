#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine. Safe to run
# again: it only installs what is missing.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  UPDATE=1
fi
# ccache: the build folders share their objects; fonts-wqy-microhei: the
# glyphs of Chinese and Japanese names in the Wine prefixes; clang with
# libclang-rt-14-dev: libFuzzer for the fuzz targets.
for p in cmake make g++ python3 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
         wine wine64 wine32:i386 fonts-wine fonts-wqy-microhei xvfb xauth imagemagick xdotool \
         fp-utils fp-compiler fp-units-misc fp-units-fcl fpc-source nsis zip unzip \
         ccache clang libclang-rt-14-dev; do
  have "$p" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
