# shellcheck shell=sh
# Sourced by sh and bash scripts alike (POSIX sh only): a private X server
# (Xvfb), for screenshots a window manager (openbox) that draws the window
# titles, and the Wine prefix that runs on them. Debian: xvfb, x11-utils,
# openbox. Only what is started here is stopped here: the X programs by their
# ids, Wine by its prefix.

XVFB_PID=""
WM_PID=""
XSESSION_WINEPREFIX=""

# Starts Xvfb on a free display number and exports DISPLAY.
start_xvfb() {
  xsession_number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$xsession_number_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$xsession_number_file" ] && break
    sleep 0.1
  done
  if [ ! -s "$xsession_number_file" ]; then
    rm -f "$xsession_number_file"
    echo "Xvfb did not start" >&2
    return 1
  fi
  DISPLAY=":$(head -n 1 "$xsession_number_file")"
  export DISPLAY
  rm -f "$xsession_number_file"
}

# Starts openbox and waits until it manages the screen.
start_wm() {
  openbox --sm-disable >/dev/null 2>&1 &
  WM_PID=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
    sleep 0.1
  done
  echo "openbox did not start" >&2
  return 1
}

# Exports WINEPREFIX=PREFIX; stop_xsession then lets that prefix's Wine finish
# (30 s at the most, then ends it) before the display goes away.
use_wineprefix() {
  WINEPREFIX=$1
  export WINEPREFIX
  XSESSION_WINEPREFIX=$1
}

stop_xsession() {
  if [ -n "$XSESSION_WINEPREFIX" ]; then
    WINEPREFIX=$XSESSION_WINEPREFIX WINEDEBUG=-all timeout 30 wineserver -w 2>/dev/null ||
      WINEPREFIX=$XSESSION_WINEPREFIX WINEDEBUG=-all wineserver -k 2>/dev/null || true
  fi
  if [ -n "$WM_PID" ]; then kill "$WM_PID" 2>/dev/null || true; wait "$WM_PID" 2>/dev/null || true; fi
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
  XSESSION_WINEPREFIX=""
  WM_PID=""
  XVFB_PID=""
}
