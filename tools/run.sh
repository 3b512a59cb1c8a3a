#!/usr/bin/env bash
# Installs what is missing, builds the program and opens its window under Wine:
# the shipped build that this machine's Wine runs (dist/VelnorCleaner.exe, or
# dist/x64/VelnorCleaner.exe where Wine cannot run 32-bit programs), copied
# with its help file into C:\Program Files\Velnor Disk Cleaner of the prefix
# and started there, so that its config.ini stays there too.
#
# The prefix has no drive that maps into the host (tools/wine_prefix.sh): the
# program sees its own C: drive only, and never offers the host's files for
# cleaning.
#
# With a display the window stays open until you close it. Without one the
# program runs under Xvfb: the script saves a screenshot of the window to
# dist/screenshot.png, closes the program and exits 0.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh program
source tools/wine_env.sh
source tools/wine_prefix.sh
dist=dist
[ "$WIN_ARCH" = win64 ] && dist=dist/x64
export WINEPREFIX=${WINEPREFIX:-$HOME/.velnor-wine-$WIN_ARCH}
unset VELNOR_KEEP_HOST_DRIVE
# Started in its own folder: the host's current folder has no drive letter.
folder=$(velnor_program_folder_unix)
program="$VELNOR_PROGRAM_FOLDER\\VelnorCleaner.exe"
export folder program
if [ -n "${DISPLAY:-}" ]; then
  bash tools/wine_prefix.sh --install "$dist"
  cd "$folder"
  exec "$WINE_BIN" "$program"
fi

echo "No display: running under Xvfb; the screenshot goes to dist/screenshot.png"
inside() { # runs under xvfb-run
  bash tools/wine_prefix.sh --install "$dist"
  (cd "$folder" && exec "$WINE_BIN" "$program") &
  local pid=$! window="" i
  for i in $(seq 1 60); do
    window=$(xdotool search --name "^Velnor Disk Cleaner$" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 1
  done
  [ -n "$window" ] || { echo "the window did not open" >&2; return 1; }
  sleep 3
  mkdir -p dist
  import -window root dist/screenshot.png
  echo "Screenshot saved: dist/screenshot.png"
  # Nobody can click here: close the program (Escape closes the window
  # without saving, as at a desk), and end it if it does not go.
  timeout 5 xdotool windowfocus "$window" sleep 0.5 key Escape 2>/dev/null || true
  for i in $(seq 1 10); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 1
  done
  if kill -0 "$pid" 2>/dev/null; then
    /usr/lib/wine/wineserver -k 2>/dev/null || true
  fi
  wait "$pid" 2>/dev/null || true
  echo "Program closed."
}
export dist
xvfb-run -a -s '-screen 0 1024x768x24' bash -c "$(declare -f inside); inside"
/usr/lib/wine/wineserver -w 2>/dev/null || true
