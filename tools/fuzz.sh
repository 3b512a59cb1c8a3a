#!/usr/bin/env bash
# Builds the coverage-guided fuzz targets of tests/fuzz with clang's libFuzzer
# under AddressSanitizer and UBSan (into build/fuzz, or $VELNOR_BUILD/fuzz) and
# runs each for a bounded number of inputs, starting from its seeds in
# tests/fuzz/seeds. Prints "fuzz: N passed, N failed, 0 skipped" (N counts
# targets) and exits non-zero when a target crashes or a property fails; the
# input that did it is kept in the build folder.
set -uo pipefail
cd "$(dirname "$0")/.."
B=${VELNOR_BUILD:-build}
OUT=$B/fuzz
CXX=${FUZZ_CXX:-clang++}
# Inputs per target, and a time limit that stops a run on a very busy machine.
RUNS=${FUZZ_RUNS:-60000}
SECONDS_PER_TARGET=${FUZZ_SECONDS:-10}
mkdir -p "$OUT"

# The version header, made from VERSION as the CMake builds make it.
cmake -DGENERATED_DIR="$OUT/generated" -P cmake/version.cmake
flags=(-std=c++17 -O1 -g -I. -I"$OUT/generated" -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
       -fno-omit-frame-pointer)
link_flags=(-fsanitize=fuzzer,address,undefined)
# ccache, where it is installed, shares the objects between build folders.
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(ccache)

# SQLite, which the core's cookie stores are read with, from the set-up's
# amalgamation.
sqlite_dir=$B/sqlite-$(head -n1 tools/sqlite_version)
bash tools/fetch_sqlite.sh "$sqlite_dir" || exit 1
flags+=(-isystem "$sqlite_dir")
sqlite_obj=$OUT/obj/sqlite3.o
if [ ! -f "$sqlite_obj" ] || [ "$sqlite_dir/sqlite3.c" -nt "$sqlite_obj" ]; then
  mkdir -p "$OUT/obj"
  "${launcher[@]}" "${FUZZ_CC:-clang}" -O1 -w -fsanitize=address -DSQLITE_OMIT_LOAD_EXTENSION=1 -DSQLITE_DQS=0 \
    -c "$sqlite_dir/sqlite3.c" -o "$sqlite_obj" || exit 1
fi
link_flags+=("$sqlite_obj" -lpthread -lm)

# The portable core, every target linked against all of it, so that a new
# file of the core needs no change here.
core=$(find app scan profile clean ui platform -maxdepth 1 -name '*.cpp' ! -name '*_win32.cpp' | sort | tr '\n' ' ')
# target name, longest input, sources...
targets=(
  "config_file_fuzz 4000 tests/fuzz/config_file_fuzz.cpp tests/fakes/windows_1252.cpp $core"
  "wildcard_fuzz 300 tests/fuzz/wildcard_fuzz.cpp $core"
)

# An object is made again when its source, or any header, is newer.
stale() { # object, source
  [ ! -f "$1" ] || [ "$2" -nt "$1" ] ||
    [ -n "$(find app scan profile clean ui platform tests/fakes tests/fuzz -name '*.h' -newer "$1" -print -quit)" ]
}

build() { # program, sources...
  local exe=$1 objects=() src obj relink=0; shift
  for src in "$@"; do
    obj=$OUT/obj/${src%.cpp}.o
    objects+=("$obj")
    # Targets share their objects: one made afresh for an earlier target
    # still has to reach this one.
    [ "$obj" -nt "$exe" ] && relink=1
    stale "$obj" "$src" || continue
    mkdir -p "$(dirname "$obj")"
    "${launcher[@]}" "$CXX" "${flags[@]}" -c "$src" -o "$obj" || return 1
    relink=1
  done
  [ $relink -eq 0 ] && [ -x "$exe" ] && return 0
  "$CXX" "${link_flags[@]}" "${objects[@]}" -o "$exe"
}

passed=0
failed=0
for entry in "${targets[@]}"; do
  read -r name maxlen sources <<<"$(echo $entry)"
  exe=$OUT/$name
  # shellcheck disable=SC2086
  if ! build "$exe" $sources >"$OUT/$name.build.log" 2>&1; then
    head -30 "$OUT/$name.build.log"
    echo "$name: build failed"
    failed=$((failed + 1))
    continue
  fi
  corpus=$OUT/$name.corpus
  mkdir -p "$corpus"
  seeds=tests/fuzz/seeds/${name%_fuzz}
  # New inputs go into the first folder; the seeds stay as they are.
  "$exe" "$corpus" "$seeds" -runs="$RUNS" -max_total_time="$SECONDS_PER_TARGET" -max_len="$maxlen" \
         -artifact_prefix="$OUT/$name-" -print_final_stats=1 >"$OUT/$name.log" 2>&1
  rc=$?
  runs=$(grep -oE '^stat::number_of_executed_units: *[0-9]+' "$OUT/$name.log" | grep -oE '[0-9]+$' | tail -1)
  if [ $rc -eq 0 ]; then
    passed=$((passed + 1))
    echo "$name: ${runs:-0} inputs, no failure"
  else
    failed=$((failed + 1))
    grep -E 'property failed|ERROR: |runtime error|SUMMARY|Test unit written' "$OUT/$name.log" | head -10
    echo "$name: failed after ${runs:-?} inputs (log: $OUT/$name.log)"
  fi
done

echo "fuzz: $passed passed, $failed failed, 0 skipped"
[ $failed -eq 0 ]
