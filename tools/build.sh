#!/usr/bin/env bash
# Builds everything into build/ (or $VELNOR_BUILD): the host core with its tests,
# the shipped 32-bit program into dist/, and the Windows tests for the
# architecture that the local Wine runs.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine_env.sh
B=${VELNOR_BUILD:-build}
JOBS=${JOBS:-$(nproc)}
what=${1:-all}

# ccache, where it is installed, lets several build folders share their objects.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

configure() { # dir, extra args...
  local dir=$1; shift
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
  fi
}

if [ "$what" = all ] || [ "$what" = host ]; then
  configure "$B/host"
  cmake --build "$B/host" -j "$JOBS" -- --no-print-directory
fi
if [ "$what" = all ] || [ "$what" = win ] || [ "$what" = program ]; then
  # The product: always the 32-bit program.
  # Its test suite only where Wine can run 32-bit programs; elsewhere the
  # 64-bit build below carries the tests.
  configure "$B/win32" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DVELNOR_DIST=ON \
            -DCMAKE_BUILD_TYPE=Release -DVELNOR_WIN_TESTS=$([ "$WIN_ARCH" = win32 ] && echo ON || echo OFF)
  if [ "$what" = program ]; then
    cmake --build "$B/win32" -j "$JOBS" --target VelnorCleaner -- --no-print-directory
  else
    cmake --build "$B/win32" -j "$JOBS" -- --no-print-directory
  fi
  # The user manual, the help file beside the program.
  bash tools/build_manual.sh dist/VelnorCleaner.chm
  # The release package: the portable zip and the installer, in dist/.
  VELNOR_BUILD=$B bash tools/package.sh
  if [ "$WIN_ARCH" = win64 ] && [ "$what" != program ]; then
    configure "$B/win64" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
    cmake --build "$B/win64" -j "$JOBS" -- --no-print-directory
  fi
fi
