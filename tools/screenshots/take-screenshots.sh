#!/usr/bin/env bash
# Builds the Linux desktop program and takes the README's screenshots: every
# wizard step and the error boxes, played by the scripts beside this file
# under a private Xvfb with openbox. Usage: take-screenshots.sh [FOLDER]
# (default docs/screenshots). Rerun it whenever the screens change.
source "$(dirname "$0")/../scripts/lib.sh"
source "$ROOT/tools/scripts/xsession.sh"

OUT=${1:-$ROOT/docs/screenshots}
SCENES="walkthrough no-camera error-mismatch error-eeprom error-admin about"

ensure_packages cmake make g++ googletest libgtest-dev libfltk1.3-dev fonts-liberation xvfb x11-utils imagemagick \
  openbox
echo "== building zeltfw"
cmake --preset linux-desktop -S "$ROOT" >/dev/null
cmake --build "$ROOT/build/linux-desktop" --target zeltfw -j "$JOBS" >/dev/null

mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)
SETTINGS=$(mktemp -d)
trap 'stop_xsession; rm -rf "$SETTINGS"' EXIT
start_xvfb
start_wm
for scene in $SCENES; do
  echo "== $scene"
  # A fresh settings folder each time: the window always opens at 100, 100.
  rm -rf "${SETTINGS:?}"/*
  XDG_CONFIG_HOME=$SETTINGS ZELTFW_DESKTOP_SCRIPT=$ROOT/tools/screenshots/$scene.zsc ZELTFW_DESKTOP_SHOTS=$OUT \
    "$ROOT/build/linux-desktop/zeltfw"
done
echo "== screenshots in $OUT:"
ls "$OUT"
