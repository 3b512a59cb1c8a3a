#!/usr/bin/env bash
# Used by every script that runs the program or its tests under Wine (the
# run command, tools/test.sh, the screenshot scripts), so that each of them
# shows the program as the README's pictures do. Sourced:
#
#   source tools/wine_env.sh; source tools/wine_prefix.sh
#   export WINEPREFIX=...; prepare_wine_prefix
#
# or run as a command, which prepares $WINEPREFIX: bash tools/wine_prefix.sh
#
# As the run command prepares its prefix: bash tools/wine_prefix.sh --install
# FOLDER also copies the program of FOLDER (VelnorCleaner.exe and, where
# there is one, VelnorCleaner.chm) into $VELNOR_PROGRAM_FOLDER on the
# prefix's C: drive, where it runs and keeps its config.ini.
#
# A bare prefix has no Windows fonts: Wine then draws "MS Shell Dlg" with a
# wide host font, and the page texts no longer fit the controls the layout
# made for them. Windows draws that face with MS Sans Serif, so the prefix
# gets Wine's own fonts and that mapping. Names in Chinese and Japanese
# script need a font with their glyphs: the host's WenQuanYi Micro Hei
# (Debian's fonts-wqy-microhei) is linked behind the dialog faces, as Windows
# links its own CJK fonts behind them. Wine links only behind TrueType faces:
# text that it draws with the bitmap face of MS Sans Serif (the dialogs at
# 8 points) does not reach the linked font.
#
# Drive Z: of a new prefix is the host's whole file system, and Wine reports
# it as a fixed drive: the program would offer it on the Path page, checked,
# and a scan and clean would reach the host's files. So the prefix gets no
# drive letter that maps into the host: Z: and any other letter but C: that
# points out of the prefix are removed, once per prefix (a stamp records it,
# so that a drive the user maps later on purpose stays). Wine does not make
# them again, neither on a prefix update nor at a restart. Only the test
# harnesses, which hand the test programs Unix paths and read them through
# Z:, keep it: VELNOR_KEEP_HOST_DRIVE=1. The program under test is never
# pointed there.
#
# VELNOR_DPI, where set, is the display's DPI in the prefix (96 is 100 %,
# 144 is 150 %, 192 is 200 %): the pictures of the pages at other display
# scales are taken in such prefixes.
#
# Prepared once per prefix (a stamp file records it), and cheaply: the fonts
# are linked, not copied, and the registry takes one import. Call it where
# the program will run, under the display it will use (inside xvfb-run):
# Wine's desktop process starts with the prefix and keeps the display it found.

VELNOR_CJK_FONT=${VELNOR_CJK_FONT:-/usr/share/fonts/truetype/wqy/wqy-microhei.ttc}

# A REG_MULTI_SZ value of one string, as a .reg file writes it (UTF-16LE).
_velnor_reg_multi_sz() { # text
  local text=$1 out="hex(7):" i
  for ((i = 0; i < ${#text}; i++)); do out+=$(printf '%02x,00,' "'${text:i:1}"); done
  printf '%s00,00,00,00' "$out"
}

# The program's folder in the run command's prefix, as Windows and as the
# host name it.
VELNOR_PROGRAM_FOLDER='C:\Program Files\Velnor Disk Cleaner'
velnor_program_folder_unix() { echo "$WINEPREFIX/drive_c/Program Files/Velnor Disk Cleaner"; }

prepare_wine_prefix() {
  : "${WINEPREFIX:?prepare_wine_prefix needs WINEPREFIX}"
  [ -f "$WINEPREFIX/.velnor-prepared" ] || _velnor_prepare_display
  [ "${VELNOR_KEEP_HOST_DRIVE:-}" = 1 ] || _velnor_unmap_host_drives
}

install_program_into_prefix() { # folder holding the program
  local to; to=$(velnor_program_folder_unix)
  mkdir -p "$to"
  cp "$1/VelnorCleaner.exe" "$to/"
  if [ -f "$1/VelnorCleaner.chm" ]; then cp "$1/VelnorCleaner.chm" "$to/"; fi
}

_velnor_unmap_host_drives() {
  local stamp=$WINEPREFIX/.velnor-no-host-drive inside link
  [ -f "$stamp" ] || [ ! -d "$WINEPREFIX/dosdevices" ] && return 0
  inside=$(realpath "$WINEPREFIX")
  for link in "$WINEPREFIX"/dosdevices/[a-z]:; do
    [ -L "$link" ] && [ "${link##*/}" != c: ] || continue
    case $(realpath -m "$link") in
      "$inside" | "$inside"/*) ;;
      *) rm -f "$link" ;;
    esac
  done
  touch "$stamp"
}

_velnor_prepare_display() {
  # The 64-bit loader makes the prefix where it runs, as on 64-bit Windows;
  # 32-bit programs run in it too.
  local wine=$WINE_BIN
  /usr/lib/wine/wine64 --version >/dev/null 2>&1 && wine=/usr/lib/wine/wine64
  local fonts=$WINEPREFIX/drive_c/windows/Fonts f
  local work; work=$(mktemp -d /tmp/velnor-prefix.XXXXXX)
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
    printf '"MS Shell Dlg"="MS Sans Serif"\r\n\r\n'
    # Wine sets its own default faces again (Tahoma behind "MS Shell Dlg") in
    # every process whose code pages differ from the pair it last recorded.
    # Our programs run with UTF-8 as both code pages (their manifest says so),
    # so that pair is recorded here and the mapping above holds for them.
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts]\r\n"Codepages"="65001,65001"\r\n\r\n'
    if [ -n "${VELNOR_DPI:-}" ]; then
      printf '[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:%08x\r\n\r\n' "$VELNOR_DPI"
    fi
    if [ -f "$VELNOR_CJK_FONT" ]; then
      local link; link=$(_velnor_reg_multi_sz "$(basename "$VELNOR_CJK_FONT"),WenQuanYi Micro Hei")
      printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n'
      for f in "MS Sans Serif" "Microsoft Sans Serif" "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2"; do
        printf '"%s"=%s\r\n' "$f" "$link"
      done
      printf '\r\n'
      # Where a dialog face has no TrueType form to link behind, Wine still
      # falls back through "MS UI Gothic" for the glyphs it lacks.
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
      printf '"MS UI Gothic"="WenQuanYi Micro Hei"\r\n\r\n'
    fi
  } | iconv -f UTF-8 -t UTF-16 >"$work/prefix.reg"
  # Written in UTF-16 (with its byte-order mark), the form in which a .reg
  # file's hex(7) bytes are taken as they stand. The one Wine process here
  # also makes a new prefix (Wine runs wineboot first and waits for it); the
  # Wine server keeps the registry, so programs started after it see the
  # values at once.
  (cd "$work" && "$wine" reg import prefix.reg >/dev/null 2>&1) || true
  rm -rf "$work"
  # Wine looks for new font files whenever a program starts.
  mkdir -p "$fonts"
  for f in /usr/share/wine/fonts/*; do
    [ -e "$f" ] && ln -sf "$f" "$fonts/"
  done
  [ -f "$VELNOR_CJK_FONT" ] && ln -sf "$VELNOR_CJK_FONT" "$fonts/"
  touch "$WINEPREFIX/.velnor-prepared"
}
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  source "$(dirname "$0")/wine_env.sh"
  prepare_wine_prefix
  if [ "${1:-}" = --install ]; then install_program_into_prefix "$2"; fi
fi
