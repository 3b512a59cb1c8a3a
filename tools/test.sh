#!/usr/bin/env bash
# Installs what is missing, builds, and runs every suite: the host suite under
# AddressSanitizer and UBSan, then the Windows suite and the end-to-end suite
# under Wine with Xvfb, each in a fresh prefix prepared as the run command's
# (tools/wine_prefix.sh). Prints one summary line per suite; exits non-zero
# when anything fails.
set -uo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh || exit 1
bash tools/build.sh all || { echo "build: 0 passed, 1 failed"; exit 1; }
source tools/wine_env.sh
B=${VELNOR_BUILD:-build}
status=0
summaries=()

summarise() { # suite name, log file, exit code
  local suite=$1 log=$2 rc=$3 passed failed
  passed=$(grep -oE '^\[  PASSED  \] [0-9]+' "$log" | grep -oE '[0-9]+$' | tail -1)
  failed=$(grep -oE '^\[  FAILED  \] [0-9]+ tests?, listed below' "$log" | grep -oE '[0-9]+' | head -1)
  passed=${passed:-0}; failed=${failed:-0}
  if [ "$rc" -ne 0 ] && [ "$failed" -eq 0 ]; then failed=1; fi
  [ "$rc" -ne 0 ] && status=1
  summaries+=("$suite: $passed passed, $failed failed")
}

logdir=$B/test-logs
mkdir -p "$logdir"

"$B/host/host_tests" --gtest_brief=1 >"$logdir/host.log" 2>&1
rc=$?; grep -E '^\[  FAILED  \]|Failure|ERROR|runtime error' "$logdir/host.log" | head -40
summarise host "$logdir/host.log" $rc

# The fuzz targets, for a bounded number of inputs; the script prints its own
# summary line.
bash tools/fuzz.sh >"$logdir/fuzz.log" 2>&1
rc=$?
fuzz_line=$(grep -E '^fuzz: ' "$logdir/fuzz.log" | tail -1)
[ -n "$fuzz_line" ] || fuzz_line="fuzz: 0 passed, 1 failed"
[ "$rc" -ne 0 ] && { status=1; tail -20 "$logdir/fuzz.log"; }
summaries+=("$fuzz_line")

run_wine_suite() { # suite name, exe, arguments...
  local suite=$1 exe=$2; shift 2
  [ -f "$exe" ] || return 0
  local prefix; prefix=$(mktemp -d /tmp/velnor-wine.XXXXXX)
  local xdg; xdg=$(mktemp -d /tmp/velnor-xdg.XXXXXX)
  ( export WINEPREFIX=$prefix XDG_DATA_HOME=$xdg
    timeout 1200 xvfb-run -a -s '-screen 0 1024x768x24' \
      bash -c 'bash tools/wine_prefix.sh && exec "$0" "$@"' "$WINE_BIN" "$exe" --gtest_brief=1 "$@" ) \
    >"$logdir/$suite.log" 2>&1
  local rc=$?
  WINEPREFIX=$prefix /usr/lib/wine/wineserver -k >/dev/null 2>&1
  grep -E '^\[  FAILED  \]|Failure' "$logdir/$suite.log" | head -40
  summarise "$suite" "$logdir/$suite.log" $rc
  rm -rf "$prefix" "$xdg"
}

run_wine_suite windows "$B/$WIN_ARCH/win_tests.exe"
# The end-to-end suite drives the shipped program of the architecture that
# Wine runs here: dist/VelnorCleaner.exe (32-bit) or dist/x64/VelnorCleaner.exe.
shipped=dist/VelnorCleaner.exe
[ "$WIN_ARCH" = win64 ] && shipped=dist/x64/VelnorCleaner.exe
run_wine_suite end-to-end "$B/$WIN_ARCH/e2e_tests.exe" "--program=$(realpath "$shipped")"

for s in "${summaries[@]}"; do echo "$s"; done
exit $status
