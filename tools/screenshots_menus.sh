#!/usr/bin/env bash
# Takes the pictures of the cookie dialog and of the two popup menus for the
# user manual: cookies.png, menu-system.png and menu-help.png, into the given
# folder (docs/screenshots by default).
#
# Like tools/screenshots.sh, the program runs under Xvfb and Wine in a fresh
# prefix with Wine's fonts. A few lasting cookies are put into the prefix's URL
# cache first, and two browsers' cookie stores into its application-data
# folders, so that the cookie dialog has rows of both kinds to show. The icon menu is
# shown with "Exit" highlighted, the help menu with "User Manual" highlighted.
# VELNOR_DPI, as for tools/screenshots.sh, takes them at another display scale.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
source tools/wine_env.sh
source tools/wine_prefix.sh
B=${VELNOR_BUILD:-build}
win=$B/$WIN_ARCH

# Control ids (res/resource.h) and virtual keys.
TITLE_ICON=1013 HELP_BUTTON=1098 PAGE_CLEAN=1106 COOKIES_BUTTON=1169 COOKIE_LIST=1165 EXIT=1094
VK_ESCAPE=27 VK_UP=38 VK_DOWN=40
MAIN="Velnor Disk Cleaner" COOKIES="Cookies Cleaner"

dpi=${VELNOR_DPI:-96}
px() { echo $((($1 * dpi + 48) / 96)); }  # a length of the 96-DPI layout at the display's scale

if [ "${1:-}" = --inside ]; then
  out=$2 run=$3
  driver() { "$WINE_BIN" "$run/screenshot_driver.exe" "$@"; }
  extra() { "$WINE_BIN" "$run/dialog_shot_driver.exe" "$@" | tr -d '\r'; }
  crop() { # name x y w h
    import -window root -crop "${4}x${5}+${2}+${3}" +repage "$out/$1.png"
    echo "saved $out/$1.png (${4}x${5})"
  }

  prepare_wine_prefix

  # No window manager runs here: Wine draws the dialog's caption and frame itself.
  "$WINE_BIN" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w || true

  extra setcookie http://www.news.example/ http://shop.example/cart/ http://www.weather.example/ \
                  http://forum.example/board/ http://www.maps.example/
  # And the cookie stores of two browsers, Edge with two profiles and Firefox,
  # made with Python's SQLite in the prefix's application-data folders.
  python3 - "$WINEPREFIX" <<'PY'
import glob, os, sqlite3, sys
home = [h for h in glob.glob(sys.argv[1] + "/drive_c/users/*") if not h.endswith("/Public")][0]
def store(path, table, column, hosts):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    db = sqlite3.connect(path)
    db.execute(f"CREATE TABLE {table} (name TEXT, {column} TEXT)")
    db.executemany(f"INSERT INTO {table} VALUES ('id', ?)", [(h,) for h in hosts])
    db.commit()
    db.close()
edge = home + "/AppData/Local/Microsoft/Edge/User Data/"
store(edge + "Default/Network/Cookies", "cookies", "host_key", [".news.example", "login.example"])
store(edge + "Profile 1/Network/Cookies", "cookies", "host_key", [".intranet.example"])
store(home + "/AppData/Roaming/Mozilla/Firefox/Profiles/x1y2.default-release/cookies.sqlite",
      "moz_cookies", "host", [".video.example", "www.forum.example"])
PY
  (cd "$run" && "$WINE_BIN" VelnorCleaner.exe >/dev/null 2>&1) &
  program=$!
  driver wait 120 || { echo "the window did not open" >&2; exit 1; }
  sleep 2
  driver park

  # The icon menu with "Exit" highlighted, with the title icon above it.
  read -r wx wy ww wh < <(driver rect | tr -d '\r')
  driver click $TITLE_ICON
  extra key "$MAIN" $VK_UP
  sleep 1
  read -r mx my mw mh < <(extra menurect)
  crop menu-system "$wx" "$wy" $((mx + mw - wx + $(px 40))) $((my + mh - wy + $(px 30)))
  extra key "$MAIN" $VK_ESCAPE
  sleep 1

  # The help menu under the Help button.
  driver park
  read -r bx by bw bh < <(extra ctrlrect "$MAIN" $HELP_BUTTON)
  driver click $HELP_BUTTON
  extra key "$MAIN" $VK_DOWN
  sleep 1
  read -r mx my mw mh < <(extra menurect)
  left=$((bx - $(px 60))) top=$((by - $(px 30)))
  crop menu-help $left $top $((mx + mw - left + $(px 60))) $((my + mh - top + $(px 30)))
  extra key "$MAIN" $VK_ESCAPE
  sleep 1

  # The cookie dialog from the Clean page, two sites ticked.
  driver click $PAGE_CLEAN
  driver click $COOKIES_BUTTON
  extra winrect "$COOKIES" >/dev/null
  sleep 1
  extra clickat "$COOKIES" $COOKIE_LIST "$(px 8)" "$(px 28)"
  extra clickat "$COOKIES" $COOKIE_LIST "$(px 8)" "$(px 60)"
  driver park
  sleep 1
  read -r dx dy dw dh < <(extra winrect "$COOKIES")
  crop cookies "$dx" "$dy" "$dw" "$dh"
  extra close "$COOKIES"
  sleep 1
  driver click $EXIT || true
  wait "$program" 2>/dev/null || true
  exit 0
fi

out=${1:-docs/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)

source tools/shot_run.sh
prepare_shot_run screenshot_driver dialog_shot_driver
timeout 600 xvfb-run -a -s "-screen 0 $((1024 * dpi / 96))x$((768 * dpi / 96))x24" \
  bash "$root/tools/screenshots_menus.sh" --inside "$out" "$run"
