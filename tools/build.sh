#!/usr/bin/env bash
# Builds everything into build/ (or $VELNOR_BUILD): the host core with its tests,
# the shipped programs into dist/ (the 32-bit build as dist/VelnorCleaner.exe,
# the 64-bit build of the same sources as dist/x64/VelnorCleaner.exe), the user
# manual beside each, the release package, and the Windows tests for the
# architecture that the local Wine runs.
#
#   bash tools/build.sh [all|host|win|program]
#
# "program" builds only the program that this machine's Wine runs, with its
# help file (what the run command needs). It needs neither NSIS nor, where
# Free Pascal's help compiler is missing, the help file: it says so and goes
# on without it. The full build makes both, and fails without them.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine_env.sh
B=${VELNOR_BUILD:-build}
JOBS=${JOBS:-$(nproc)}
what=${1:-all}

# ccache, where it is installed, lets several build folders share their
# objects; where it is not (or no longer), the compilers run bare.
launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER= -DCMAKE_C_COMPILER_LAUNCHER=)
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

configure() { # dir, options...
  local dir=$1; shift
  # Every option is passed at every build, so that a build folder follows a
  # change of them; CMake rebuilds nothing when they are the same. The
  # toolchain file counts only at a folder's first configure, and CMake would
  # call it unused after that.
  cmake --no-warn-unused-cli -S . -B "$dir" "${launcher[@]}" "$@" >/dev/null
}

# One Windows build folder per architecture: win32 (i686) and win64 (x86_64).
# Each puts its program into dist/ (dist/x64/ for the 64-bit one) and, where
# the local Wine runs that architecture, also builds the Windows tests, so
# that no source is compiled twice for the same architecture.
build_windows() { # arch (win32|win64)
  local arch=$1 toolchain dist tests=OFF
  case $arch in
    win32) toolchain=cmake/mingw-i686.cmake;   dist=$PWD/dist ;;
    win64) toolchain=cmake/mingw-x86_64.cmake; dist=$PWD/dist/x64 ;;
  esac
  [ "$arch" = "$WIN_ARCH" ] && tests=ON
  configure "$B/$arch" -DCMAKE_TOOLCHAIN_FILE=$toolchain -DCMAKE_BUILD_TYPE=Release \
            -DVELNOR_DIST=ON -DDIST_DIR="$dist" -DVELNOR_WIN_TESTS=$tests
  if [ $tests = ON ] && [ "$what" != program ]; then
    cmake --build "$B/$arch" -j "$JOBS" -- --no-print-directory
  else
    cmake --build "$B/$arch" -j "$JOBS" --target VelnorCleaner -- --no-print-directory
  fi
}

if [ "$what" = all ] || [ "$what" = host ]; then
  configure "$B/host" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$B/host" -j "$JOBS" -- --no-print-directory
fi
if [ "$what" = program ]; then
  build_windows "$WIN_ARCH"
  bash tools/build_manual.sh --optional dist/VelnorCleaner.chm
  if [ "$WIN_ARCH" = win64 ] && [ -f dist/VelnorCleaner.chm ]; then
    cp dist/VelnorCleaner.chm dist/x64/VelnorCleaner.chm
  fi
  exit 0
fi
if [ "$what" = all ] || [ "$what" = win ]; then
  build_windows win32
  build_windows win64
  # The user manual: the help file beside each program, named like it.
  bash tools/build_manual.sh dist/VelnorCleaner.chm
  cp dist/VelnorCleaner.chm dist/x64/VelnorCleaner.chm
  # The release package: the portable zips and the installer, in dist/.
  VELNOR_BUILD=$B bash tools/package.sh
fi
