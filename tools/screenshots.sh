#!/usr/bin/env bash
# Takes a picture of every page of the main window: about.png, path.png,
# filters.png, exceptions.png, options.png, scan.png and clean.png, each cropped
# to the 640 x 480 window, into the given folder (docs/screenshots by default),
# and the Path and Scan pages again with names in any script
# (path-any-script.png, scan-any-script.png).
#
# The program runs under Xvfb and Wine in a fresh prefix, from a folder of its
# own. A first start writes its config.ini; the drives are then unticked and a
# small generated folder of junk is added, so that the Scan page has rows to
# show. tools/screenshot_driver.exe moves through the pages by sending the page
# buttons' commands to the window.
#
# With VELNOR_DPI set (e.g. VELNOR_DPI=144 bash tools/screenshots.sh
# docs/screenshots/144dpi), the prefix's display has that DPI and the pictures
# show the window at that display scale.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
source tools/wine_env.sh
source tools/wine_prefix.sh
B=${VELNOR_BUILD:-build}
win=$B/$WIN_ARCH

# Control ids (res/resource.h).
PAGE_PATH=1011 PAGE_FILTERS=1012 PAGE_EXCEPTIONS=1050 PAGE_OPTIONS=1081 PAGE_CLEAN=1106
START_SCAN=1085 SCAN_STATUS=1091 EXIT=1094 RESULT_LIST=1082

if [ "${1:-}" = --inside ]; then
  # Runs inside xvfb-run: $2 the output folder, $3 the run folder.
  out=$2 run=$3
  driver() { "$WINE_BIN" "$run/screenshot_driver.exe" "$@"; }
  start_program() {
    (cd "$run" && "$WINE_BIN" VelnorCleaner.exe >/dev/null 2>&1) &
    program=$!
    driver wait 120 || { echo "the window did not open" >&2; exit 1; }
    sleep 2
  }
  stop_program() {
    driver click $EXIT || true
    wait "$program" 2>/dev/null || true
  }
  shoot() { # name
    driver park
    sleep 1
    local x y w h
    read -r x y w h < <(driver rect | tr -d '\r')
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/$1.png"
    echo "saved $out/$1.png (${w}x${h})"
  }

  # The prefix as every run of the program gets it (tools/wine_prefix.sh), so
  # that the pictures show the texts at the widths the layout is made for.
  prepare_wine_prefix

  # First start: the program writes its default profile.
  start_program
  stop_program
  [ -f "$run/config.ini" ] || { echo "no config.ini after the first start" >&2; exit 1; }

  # Only the generated folder is scanned.
  junk_win='C:\junk'
  junk=$WINEPREFIX/drive_c/junk
  mkdir -p "$junk/old"
  printf 'x%.0s' $(seq 1 1500) >"$junk/setup.tmp"
  printf 'x%.0s' $(seq 1 300) >"$junk/report.bak"
  printf 'x%.0s' $(seq 1 4096) >"$junk/old/install.old"
  printf 'x%.0s' $(seq 1 20) >"$junk/crash.dmp"
  printf 'x%.0s' $(seq 1 77) >"$junk/old/errors.err"
  printf 'keep' >"$junk/keep.txt"
  sed -i -e '/^PathDrive=/s/|1>/|0>/g' -e "s/^PathFolder=.*/PathFolder=<${junk_win//\\/\\\\}|1>\r/" "$run/config.ini"
  # A browser's cache in the user's own folders, so that the Clean page's
  # browsers' caches item has a size to show.
  for local in "$WINEPREFIX"/drive_c/users/*/AppData/Local; do
    case $local in */users/Public/*) continue ;; esac
    mkdir -p "$local/Google/Chrome/User Data/Default/Cache/Cache_Data"
    printf 'x%.0s' $(seq 1 9000) >"$local/Google/Chrome/User Data/Default/Cache/Cache_Data/data_1"
  done

  start_program
  shoot about
  driver click $PAGE_PATH;       shoot path
  driver click $PAGE_FILTERS;    shoot filters
  driver click $PAGE_EXCEPTIONS; shoot exceptions
  driver click $PAGE_OPTIONS;    shoot options
  driver click $START_SCAN
  driver waittext $SCAN_STATUS "Completed" 120
  # Sorted by size, so that the heading shows its arrow beside the check box.
  driver sort $RESULT_LIST 3
  shoot scan
  driver click $PAGE_CLEAN;      shoot clean
  stop_program

  # Names in any script: a folder named in Greek and Japanese, chosen in place
  # of the first, with files named in Greek, Japanese, Chinese and with an
  # emoji inside folders named the same way.
  any_win='C:\junk-φάκελος-日本'
  any=$WINEPREFIX/drive_c/junk-φάκελος-日本
  mkdir -p "$any/Φάκελος" "$any/フォルダ" "$any/文件夹" "$any/😀"
  printf 'x%.0s' $(seq 1 2100) >"$any/Αρχείο.tmp"
  printf 'x%.0s' $(seq 1 640) >"$any/Φάκελος/αντίγραφο.old"
  printf 'x%.0s' $(seq 1 5000) >"$any/フォルダ/一時ファイル.tmp"
  printf 'x%.0s' $(seq 1 900) >"$any/文件夹/临时文件.old"
  printf 'x%.0s' $(seq 1 33) >"$any/😀/😀.tmp"
  printf 'keep' >"$any/Φάκελος/σημείωση.txt"
  sed -i -e "s/^PathFolder=.*/PathFolder=<${any_win//\\/\\\\}|1>\r/" "$run/config.ini"

  start_program
  driver click $PAGE_PATH;       shoot path-any-script
  driver click $START_SCAN
  driver waittext $SCAN_STATUS "Completed" 120
  shoot scan-any-script
  stop_program
  exit 0
fi

out=${1:-docs/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)

source tools/shot_run.sh
prepare_shot_run screenshot_driver
dpi=${VELNOR_DPI:-96}
timeout 600 xvfb-run -a -s "-screen 0 $((1024 * dpi / 96))x$((768 * dpi / 96))x24" \
  bash "$root/tools/screenshots.sh" --inside "$out" "$run"
