# Sourced by the screenshot scripts. prepare_shot_run DRIVER... builds the
# program and the given drivers in $win when missing or out of date, makes a
# run folder, a fresh Wine prefix and a data folder ($run, $prefix, $xdg) that
# go away when the script exits, copies the program and the drivers into the
# run folder, and exports WINEPREFIX and XDG_DATA_HOME for them. The program
# runs from the host's run folder, so this prefix keeps the host drive
# (VELNOR_KEEP_HOST_DRIVE, tools/wine_prefix.sh); the scripts untick the
# drives before they scan.
prepare_shot_run() {
  local drivers=("$@") exes=("$win/VelnorCleaner.exe")
  if [ -f "$win/CMakeCache.txt" ]; then
    cmake -S . -B "$win" >/dev/null
    cmake --build "$win" -j "${JOBS:-2}" --target VelnorCleaner "${drivers[@]}" -- --no-print-directory >/dev/null
  else
    bash tools/build.sh win >/dev/null
  fi
  run=$(mktemp -d /tmp/velnor-shots.XXXXXX)
  prefix=$(mktemp -d /tmp/velnor-wine.XXXXXX)
  xdg=$(mktemp -d /tmp/velnor-xdg.XXXXXX)
  trap 'WINEPREFIX=$prefix /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true; rm -rf "$run" "$prefix" "$xdg"' EXIT
  local driver
  for driver in "${drivers[@]}"; do exes+=("$win/$driver.exe"); done
  cp "${exes[@]}" "$run/"
  export WINEPREFIX=$prefix XDG_DATA_HOME=$xdg VELNOR_KEEP_HOST_DRIVE=1
}
