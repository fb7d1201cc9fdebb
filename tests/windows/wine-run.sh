#!/bin/sh
# Runs a Windows program under Wine in this build's own prefix, made on first
# use (no dialogs, no Mono or Gecko), with Wine's debug output off.
#   wine-run.sh PREFIX [--dpi N] [--display] PROGRAM.exe [ARGS...]
# --dpi N: the prefix's screen has N dots per inch (when it is made; 96 by default).
# --display: the program opens windows; without a DISPLAY it gets a private Xvfb.
set -eu
prefix=$1
shift
dpi=
if [ "${1:-}" = "--dpi" ]; then
  dpi=$2
  shift 2
fi
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

if [ ! -f "$prefix/.zelt-ready" ]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    if [ ! -f "$prefix/.zelt-ready" ]; then
      wineboot --init >/dev/null 2>&1 || true
      # Unmanaged windows: Wine draws the frames itself and does not wait for
      # a window manager, which Xvfb lacks, on every hide and destroy.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
      if [ -n "$dpi" ]; then
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || true
      fi
      # Wine's own Marlett, where Wine looks for it, draws the caption
      # buttons as symbols. (Debian puts Wine's fonts where Wine 8.0 does
      # not look; the program's Arial comes as Liberation Sans, which has
      # its widths, through fontconfig.)
      if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
        cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
      fi
      wineserver -w
      [ -f "$prefix/system.reg" ] || { echo "wine-run.sh: wineboot could not make $prefix" >&2; exit 1; }
      touch "$prefix/.zelt-ready"
    fi
  ) 9>"$prefix.lock"
fi

if [ "${1:-}" = "--display" ]; then
  shift
  if [ -z "${DISPLAY:-}" ]; then
    . "$(cd "$(dirname "$0")/../.." && pwd)/tools/scripts/xsession.sh"
    trap stop_xsession EXIT INT TERM
    start_xvfb
    status=0
    wine "$@" || status=$?
    exit "$status"
  fi
fi
exec wine "$@"
