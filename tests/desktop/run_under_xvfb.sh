#!/usr/bin/env bash
# ctest: zeltfw under a private Xvfb. Plays whole wizard runs through the
# Virtual camera window (the scripts check the camera's memory afterwards),
# checks that the window position survives a restart through the settings
# file and that minimizing under a window manager reaches the toolkit, that a wrong expectation is reported, that the program refuses to
# start without a display, and that its screenshots are not blank.
# Debian: xvfb, x11-utils, imagemagick, openbox.
# Usage: run_under_xvfb.sh ZELTFW SHOT_FOLDER
set -euo pipefail
ZELTFW=$1
SHOTS=$2
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../../tools/scripts/xsession.sh"

# In a sanitizer build: fontconfig keeps caches it never frees.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$HERE/lsan.supp}

SETTINGS=$(mktemp -d)
trap 'stop_xsession; rm -rf "$SETTINGS"' EXIT
rm -rf "$SHOTS"
mkdir -p "$SHOTS"

play() {
  XDG_CONFIG_HOME=$SETTINGS ZELTFW_DESKTOP_SCRIPT=$HERE/$1 ZELTFW_DESKTOP_SHOTS=$SHOTS "$ZELTFW"
}

echo "== without a display"
if out=$(env -u DISPLAY XDG_CONFIG_HOME="$SETTINGS" "$ZELTFW" 2>&1); then
  echo "zeltfw started without a display"
  exit 1
fi
grep -q "no X display" <<<"$out" || { echo "no reason given: $out"; exit 1; }
[ -z "$(ls -A "$SETTINGS")" ] || { echo "zeltfw wrote settings without running"; exit 1; }

start_xvfb
echo "== wizard runs on $DISPLAY"
play wizard_run.zsc
play oskel_run.zsc

echo "== window position kept across a restart"
rm -rf "${SETTINGS:?}"/*
play move_window.zsc
grep -q "^value 58506f73 4 2c010000$" "$SETTINGS/zeltfw/hkcu.reg" || { echo "XPos 300 not saved"; exit 1; }
play position_kept.zsc

echo "== a wrong expectation is reported"
status=0
play must_fail.zsc 2>"$SHOTS/must_fail.err" || status=$?
[ "$status" -eq 1 ] || { echo "exit status $status, not 1"; exit 1; }
grep -q 'must_fail.zsc:5: expected button next "Další ->" enabled got "Další ->" disabled' "$SHOTS/must_fail.err" ||
  { cat "$SHOTS/must_fail.err"; exit 1; }

echo "== under a window manager: minimize and restore"
start_wm
rm -rf "${SETTINGS:?}"/*
play minimize.zsc
grep -q "^value 58506f73 4 fa000000$" "$SETTINGS/zeltfw/hkcu.reg" || { echo "XPos 250 not saved"; exit 1; }

echo "== screenshots"
bash "$HERE/not_blank.sh" "$SHOTS"
