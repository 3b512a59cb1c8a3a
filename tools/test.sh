#!/usr/bin/env bash
# Installs what is missing, builds, and runs every suite: the host suite under
# AddressSanitizer and UBSan, the fuzz targets, then the Windows suite and the
# end-to-end suite under Wine with Xvfb, each in a fresh prefix prepared as the
# run command's (tools/wine_prefix.sh) but keeping the host drive for the
# harness, and last one end-to-end test in a prefix exactly as the run
# command's. Prints one summary line per suite ("suite: N passed, N failed,
# N skipped"); exits non-zero when anything fails, a missing test program too.
set -uo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh || exit 1
bash tools/build.sh all || { echo "build: 0 passed, 1 failed, 0 skipped"; exit 1; }
source tools/wine_env.sh
source tools/wine_prefix.sh
B=${VELNOR_BUILD:-build}
status=0
summaries=()

# A suite's line: passed and skipped as GoogleTest counts them, failed the
# rest of the tests that ran; a program that failed without saying which test
# (a crash, a timeout, a missing program) counts one failure.
summarise() { # suite name, log file, exit code
  local suite=$1 log=$2 rc=$3 ran passed skipped failed
  ran=$(grep -oE '^\[==========\] [0-9]+ tests? from .* ran' "$log" | grep -oE '[0-9]+' | head -1)
  passed=$(grep -oE '^\[  PASSED  \] [0-9]+' "$log" | grep -oE '[0-9]+$' | tail -1)
  skipped=$(grep -oE '^\[  SKIPPED \] [0-9]+ tests?[.,]' "$log" | grep -oE '[0-9]+' | tail -1)
  passed=${passed:-0}; skipped=${skipped:-0}
  failed=$((${ran:-0} - passed - skipped))
  if [ "$rc" -ne 0 ] && [ "$failed" -le 0 ]; then failed=1; fi
  [ "$failed" -gt 0 ] && rc=1
  [ "$rc" -ne 0 ] && status=1
  summaries+=("$suite: $passed passed, $failed failed, $skipped skipped")
}

# A suite whose test program was not built fails.
present() { # suite name, program
  [ -f "$2" ] && return 0
  echo "$1: the test program $2 is missing"
  summarise "$1" /dev/null 1
  return 1
}

logdir=$B/test-logs
mkdir -p "$logdir"

if present host "$B/host/host_tests"; then
  "$B/host/host_tests" --gtest_brief=1 >"$logdir/host.log" 2>&1
  rc=$?; grep -E '^\[  FAILED  \]|Failure|ERROR|runtime error' "$logdir/host.log" | head -40
  summarise host "$logdir/host.log" $rc
fi

# The fuzz targets, for a bounded number of inputs; the script prints its own
# summary line.
bash tools/fuzz.sh >"$logdir/fuzz.log" 2>&1
rc=$?
fuzz_line=$(grep -E '^fuzz: ' "$logdir/fuzz.log" | tail -1)
[ -n "$fuzz_line" ] || fuzz_line="fuzz: 0 passed, 1 failed, 0 skipped"
[ "$rc" -ne 0 ] && { status=1; tail -20 "$logdir/fuzz.log"; }
summaries+=("$fuzz_line")

# Runs a command under Xvfb in a fresh prefix and data folder, which it is to
# prepare itself (the display must be there when it does), and sums it up.
in_fresh_prefix() { # suite name, command...
  local suite=$1; shift
  local prefix; prefix=$(mktemp -d /tmp/velnor-wine.XXXXXX)
  local xdg; xdg=$(mktemp -d /tmp/velnor-xdg.XXXXXX)
  ( export WINEPREFIX=$prefix XDG_DATA_HOME=$xdg
    unset VELNOR_KEEP_HOST_DRIVE
    timeout 1200 xvfb-run -a -s '-screen 0 1024x768x24' "$@" ) >"$logdir/$suite.log" 2>&1
  local rc=$?
  WINEPREFIX=$prefix /usr/lib/wine/wineserver -k >/dev/null 2>&1
  grep -E '^\[  FAILED  \]|Failure' "$logdir/$suite.log" | head -40
  summarise "$suite" "$logdir/$suite.log" $rc
  rm -rf "$prefix" "$xdg"
}

# The Windows test programs are handed Unix paths and read them through Z:,
# so their prefixes keep the host drive.
run_wine_suite() { # suite name, exe, arguments...
  local suite=$1 exe=$2; shift 2
  present "$suite" "$exe" || return 0
  in_fresh_prefix "$suite" env VELNOR_KEEP_HOST_DRIVE=1 \
    bash -c 'bash tools/wine_prefix.sh && exec "$0" "$@"' "$WINE_BIN" "$exe" --gtest_brief=1 "$@"
}

run_wine_suite windows "$B/$WIN_ARCH/win_tests.exe"
# The end-to-end suite drives the shipped program of the architecture that
# Wine runs here: dist/VelnorCleaner.exe (32-bit) or dist/x64/VelnorCleaner.exe.
shipped=dist/VelnorCleaner.exe
[ "$WIN_ARCH" = win64 ] && shipped=dist/x64/VelnorCleaner.exe
e2e=$B/$WIN_ARCH/e2e_tests.exe
run_wine_suite end-to-end "$e2e" "--program=$(realpath "$shipped")"

# The run command's own prefix, prepared as tools/run.sh prepares it (no
# host drive, the program in its folder on C:), with the end-to-end program
# copied onto C: too: its first start must offer C: alone.
if present run-command-prefix "$e2e"; then
  in_fresh_prefix run-command-prefix bash -c '
    bash tools/wine_prefix.sh --install "$(dirname "$1")" && cp "$2" "$WINEPREFIX/drive_c/" &&
    exec "$WINE_BIN" "C:\\e2e_tests.exe" --gtest_brief=1 --gtest_filter="RunCommandPrefix.*" \
         --run-command-prefix "--program=$3"' - "$shipped" "$e2e" "$VELNOR_PROGRAM_FOLDER\\VelnorCleaner.exe"
fi

for s in "${summaries[@]}"; do echo "$s"; done
exit $status
