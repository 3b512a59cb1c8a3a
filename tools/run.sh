#!/usr/bin/env bash
# Installs what is missing, builds the program and opens its window under Wine:
# the shipped build that this machine's Wine runs (dist/VelnorCleaner.exe, or
# dist/x64/VelnorCleaner.exe where Wine cannot run 32-bit programs), started
# from build/run so that its config.ini stays out of dist/.
#
# With a display the window stays open until you close it. Without one the
# program runs under Xvfb: the script saves a screenshot of the window to
# dist/screenshot.png, closes the program and exits 0.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh program
source tools/wine_env.sh
dist=dist
[ "$WIN_ARCH" = win64 ] && dist=dist/x64
export WINEPREFIX=${WINEPREFIX:-$HOME/.velnor-wine-$WIN_ARCH}
run_dir=${VELNOR_RUN_DIR:-build/run}
mkdir -p "$run_dir"
cp "$dist/VelnorCleaner.exe" "$run_dir/VelnorCleaner.exe"
[ -f "$dist/VelnorCleaner.chm" ] && cp "$dist/VelnorCleaner.chm" "$run_dir/"
if [ -n "${DISPLAY:-}" ]; then
  bash tools/wine_prefix.sh
  exec "$WINE_BIN" "$run_dir/VelnorCleaner.exe"
fi

echo "No display: running under Xvfb; the screenshot goes to dist/screenshot.png"
inside() { # runs under xvfb-run
  bash tools/wine_prefix.sh
  "$WINE_BIN" "$run_dir/VelnorCleaner.exe" &
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
export run_dir
xvfb-run -a -s '-screen 0 1024x768x24' bash -c "$(declare -f inside); inside"
/usr/lib/wine/wineserver -w 2>/dev/null || true
