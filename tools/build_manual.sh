#!/usr/bin/env bash
# Compiles the user manual: the pages of docs/manual with the pictures of
# docs/screenshots into dist/VelnorCleaner.chm (or the file given), the help
# file that the program opens for F1 beside its executable.
#
# Pictures that docs/screenshots does not hold yet are left out of the pages
# (with a note), so that the manual builds before they are taken.
#
# The help compiler is Free Pascal's: a small driver (tools/manual/chmbuild.pas)
# built once per build folder against a copy of its chmfilewriter unit with
# the context-topic fix (see chmbuild.pas). Without the Free Pascal compiler,
# chmcmd builds the file as it is, and F1 then finds no topic.
#
#   bash tools/build_manual.sh [--optional] [file]
#
# --optional: without either compiler, say so and make no help file rather
# than fail (the program runs without it; F1 then finds no file).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
B=${VELNOR_BUILD:-build}
optional=0
if [ "${1:-}" = --optional ]; then
  optional=1
  shift
fi
out=${1:-dist/VelnorCleaner.chm}
work=$root/$B/manual
stage=$work/stage
project=VelnorCleaner.hhp

mkdir -p "$work" "$(dirname "$out")"
rm -rf "$stage"
mkdir -p "$stage/images"
cp docs/manual/* "$stage/"
sed -i "s/@VELNOR_VERSION@/$(<VERSION)/g" "$stage"/*.htm

# Pictures.
missing=()
for picture in $(grep -oh 'images/[A-Za-z0-9_-]*\.png' docs/manual/*.htm | sort -u); do
  name=${picture#images/}
  if [ -f "docs/screenshots/$name" ]; then
    cp "docs/screenshots/$name" "$stage/images/"
  else
    missing+=("$name")
    sed -i "s#<img src=\"images/$name\"[^>]*>##g" "$stage"/*.htm
  fi
done
[ ${#missing[@]} -eq 0 ] || echo "manual: no picture yet for ${missing[*]}; left out"

# The compiler.
compiler=()
unit_source=$(ls -d /usr/share/fpcsrc/*/packages/chm/src/chmfilewriter.pas 2>/dev/null | sort -V | tail -1 || true)
if command -v fpc >/dev/null 2>&1 && [ -n "$unit_source" ]; then
  build=$work/compiler
  if [ ! -x "$build/chmbuild" ] || [ tools/manual/chmbuild.pas -nt "$build/chmbuild" ]; then
    rm -rf "$build"
    mkdir -p "$build"
    sed 's/Writer\.AddContext(nd\.ContextNumber, *IncludeTrailingPathDelimiter(FBasePath) *+ *files\[i\])/Writer.AddContext(nd.ContextNumber,files[i])/' \
      "$unit_source" >"$build/chmfilewriter.pas"
    if cmp -s "$unit_source" "$build/chmfilewriter.pas"; then
      echo "manual: this chmfilewriter needs no fix" >&2
    fi
    cp tools/manual/chmbuild.pas "$build/"
    (cd "$build" && fpc -O2 -v0 -Fu. chmbuild.pas >compile.log 2>&1) || { cat "$build/compile.log" >&2; exit 1; }
  fi
  compiler=("$build/chmbuild")
elif command -v chmcmd >/dev/null 2>&1; then
  echo "manual: no Free Pascal compiler; chmcmd builds the file, and F1 will find no topic" >&2
  compiler=(chmcmd)
elif [ $optional = 1 ]; then
  echo "manual: skipped: neither fpc nor chmcmd (Free Pascal's help compiler, Debian fp-utils) is" \
       "installed; the program is built without its user manual" >&2
  exit 0
else
  echo "manual: neither fpc nor chmcmd is installed (fp-utils)" >&2
  exit 1
fi

rm -f "$stage/VelnorCleaner.chm"
log=$work/compile.log
(cd "$stage" && "${compiler[@]}" "$project") >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
if grep -qiE '^(error|warning)' "$log"; then
  grep -iE '^(error|warning)' "$log" >&2
  exit 1
fi

# Every page, the contents, the index, the context map and each picture must be inside.
contents=$(python3 tools/manual/chm_contents.py "$stage/VelnorCleaner.chm")
for need in /'#IVB' /contents.hhc /index.hhk /style.css $(cd "$stage" && ls *.htm images/*.png 2>/dev/null | sed 's#^#/#'); do
  grep -qxF "$need" <<<"$contents" || { echo "manual: $need is missing from the help file" >&2; exit 1; }
done
cp "$stage/VelnorCleaner.chm" "$out"
echo "manual: $out ($(grep -c '\.htm$' <<<"$contents") pages, $(grep -c '\.png$' <<<"$contents") pictures)"
