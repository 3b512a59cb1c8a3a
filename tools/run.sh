#!/usr/bin/env bash
# Installs what is missing, builds the program and opens its window under Wine.
# Without a display it runs under Xvfb and saves a screenshot to dist/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh win
source tools/wine_env.sh
exe=build/$WIN_ARCH/VelnorCleaner.exe
[ "$WIN_ARCH" = win32 ] && exe=dist/VelnorCleaner.exe
export WINEPREFIX=${WINEPREFIX:-$HOME/.velnor-wine-$WIN_ARCH}
run_dir=${VELNOR_RUN_DIR:-build/run}
mkdir -p "$run_dir"
cp "$exe" "$run_dir/VelnorCleaner.exe"
[ -f dist/VelnorCleaner.chm ] && cp dist/VelnorCleaner.chm "$run_dir/"
if [ -n "${DISPLAY:-}" ]; then
  exec "$WINE_BIN" "$run_dir/VelnorCleaner.exe"
fi
echo "No display: running under Xvfb; the screenshot goes to dist/screenshot.png"
xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  "$0" "$1" & pid=$!
  for i in $(seq 1 60); do
    if xdotool search --name "Velnor Disk Cleaner" >/dev/null 2>&1; then break; fi
    sleep 1
  done
  sleep 3
  mkdir -p dist
  import -window root dist/screenshot.png
  echo "Screenshot saved: dist/screenshot.png"
  wait $pid' "$WINE_BIN" "$run_dir/VelnorCleaner.exe"
