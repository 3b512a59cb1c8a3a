#!/usr/bin/env bash
# Sourced by the run and test scripts. Picks the Windows build that this
# machine's Wine can run: the shipped 32-bit build where the kernel runs 32-bit
# code, otherwise the 64-bit build of the same sources (some virtual machines
# have no 32-bit user mode at all, and Wine's 32-bit loader cannot start there).
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  WIN_ARCH=win32
  WINE_BIN=/usr/lib/wine/wine
  WIN_TOOLCHAIN=cmake/mingw-i686.cmake
else
  WIN_ARCH=win64
  WINE_BIN=/usr/lib/wine/wine64
  WIN_TOOLCHAIN=cmake/mingw-x86_64.cmake
fi
export WIN_ARCH WINE_BIN WIN_TOOLCHAIN
export WINEDEBUG=${WINEDEBUG:--all}
