#!/bin/sh
# Runs a Windows program under Wine in this build's own prefix, made on first
# use (no dialogs, no Mono or Gecko), with Wine's debug output off. An x64
# program runs under the machine's Wine; an x86 program under the emulated
# i386 Wine of tools/scripts/x86-wine.sh (made on first use), in a 32-bit
# prefix. The world follows the program's machine type; --x64 or --x86 says it
# (for Wine's own programs, such as cmd or reg).
#   wine-run.sh [--x64|--x86] PREFIX [--dpi N] [--camera-bus] [--display] PROGRAM.exe [ARGS...]
# --dpi N: the prefix's screen has N dots per inch (when it is made; 96 by default).
# --camera-bus: the program emulates cameras (zelt-play, zelt-camera), whose
#   power cuts and returns reach the programs of the prefix through the
#   camera bus driver beside it, zelt-camera-bus.sys: the driver is installed
#   into the prefix and started first (zelt-bus-install.exe), or replaced
#   there when it changed. When that fails, the step and Wine's message are
#   printed and left in PREFIX.camera-bus-missing, and the program runs
#   without it (zelt-play then plays only the scripts that need no power
#   cut or return).
# --display: the program opens windows; without a DISPLAY it gets a private Xvfb.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
world=""
if [ "${1:-}" = --x64 ] || [ "${1:-}" = --x86 ]; then world=${1#--} && shift; fi
[ $# -ge 2 ] || {
  echo "usage: wine-run.sh [--x64|--x86] PREFIX [--dpi N] [--display] PROGRAM.exe [ARGS...]" >&2
  exit 2
}
prefix=$1
shift
dpi=
if [ "${1:-}" = "--dpi" ]; then
  dpi=$2
  shift 2
fi
# Wine takes only an absolute prefix.
case $prefix in /*) ;; *) prefix=$PWD/$prefix ;; esac
camera_bus=""
if [ "${1:-}" = "--camera-bus" ]; then
  camera_bus=1
  shift
fi
program=$1
[ "$program" != "--display" ] || program=${2:-}

# A PE file's machine: the 16-bit field after the "PE\0\0" signature, which
# the 32-bit value at offset 60 points to.
machine_of() {
  [ -f "$1" ] || return 0
  offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$offset" ] || return 0
  od -An -tx2 -j"$((offset + 4))" -N2 "$1" 2>/dev/null | tr -d ' '
}
if [ -z "$world" ]; then
  case $(machine_of "$program") in
    014c) world=x86 ;;
    *) world=x64 ;;
  esac
fi

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ "$world" = x86 ]; then
  wine=$("$root/tools/scripts/x86-wine.sh") || exit 1
  export WINEARCH=win32
  arch_line="#arch=win32"
else
  wine=wine
  arch_line="#arch=win64"
fi

if [ ! -f "$prefix/.zelt-ready" ]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    if [ ! -f "$prefix/.zelt-ready" ]; then
      "$wine" wineboot --init >/dev/null 2>&1 || true
      # Unmanaged windows: Wine draws the frames itself and does not wait for
      # a window manager, which Xvfb lacks, on every hide and destroy.
      "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
      if [ -n "$dpi" ]; then
        "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || true
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
# One prefix is of one world: a 32-bit prefix cannot run x64 programs, and
# the x86 Wine refuses a 64-bit prefix.
if ! grep -q "^$arch_line" "$prefix/system.reg"; then
  echo "wine-run.sh: $prefix was made for the other world than $world ($program)" >&2
  exit 1
fi

# The camera bus driver of the program's build, installed and started in the
# prefix. Once its root devices exist the driver loads whenever the prefix
# starts and Wine holds its file, so a changed driver is copied in from here
# while the prefix's wineserver is down. Prints why it cannot be; false then.
install_camera_bus() {
  dir=$(dirname "$program")
  sys=$dir/zelt-camera-bus.sys
  installer=$dir/zelt-bus-install.exe
  installed=$prefix/drive_c/windows/system32/drivers/zelt-camera-bus.sys
  if [ ! -f "$sys" ] || [ ! -f "$installer" ]; then
    echo "copying the driver: $sys or $installer is missing (build the target zelt-bus-install)"
    return 1
  fi
  cmp -s "$sys" "$installed" && [ -f "$prefix/.zelt-camera-bus" ] && return 0
  rm -f "$prefix/.zelt-camera-bus"
  wineserver -w
  cp "$sys" "$installed" || {
    echo "copying the driver into $installed failed"
    return 1
  }
  "$wine" "$installer" 2>&1 || return 1
  touch "$prefix/.zelt-camera-bus"
}
if [ -n "$camera_bus" ]; then
  (
    flock 9
    if why=$(install_camera_bus); then
      rm -f "$prefix.camera-bus-missing"
    else
      echo "wine-run.sh: the camera bus driver cannot be installed in $prefix: $why" | tee "$prefix.camera-bus-missing" >&2
      echo "wine-run.sh: $program runs without it: power cuts and returns reach no program" >&2
    fi
  ) 9>"$prefix.lock"
  if [ -f "$prefix.camera-bus-missing" ]; then
    ZELT_CAMERA_BUS_MISSING=$(cat "$prefix.camera-bus-missing")
    export ZELT_CAMERA_BUS_MISSING
  fi
fi

if [ "${1:-}" = "--display" ]; then
  shift
  if [ -z "${DISPLAY:-}" ]; then
    . "$root/tools/scripts/xsession.sh"
    trap stop_xsession EXIT INT TERM
    start_xvfb
    status=0
    "$wine" "$@" || status=$?
    exit "$status"
  fi
fi
exec "$wine" "$@"
