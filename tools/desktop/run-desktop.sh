#!/usr/bin/env bash
# The README's run command for the Linux desktop build: builds zeltfw and
# starts it with one Zelt camera plugged in. Without a display it says so,
# plays a whole wizard run under Xvfb instead and leaves one screenshot per
# step in build/desktop-screenshots.
source "$(dirname "$0")/../scripts/lib.sh"

CAMERA='demo class=4 model=1030 id=52417 type="Zelt KAF" count=5 wheel=1'

ensure_packages x11-utils  # xdpyinfo
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  ensure_packages cmake make g++ googletest libgtest-dev libfltk1.3-dev fonts-liberation
  echo "== building zeltfw"
  cmake --preset linux-desktop -S "$ROOT" >/dev/null
  cmake --build "$ROOT/build/linux-desktop" --target zeltfw -j "$JOBS" >/dev/null
  echo "== starting zeltfw with a Zelt camera; the Virtual camera window plays the world"
  ZELTFW_DESKTOP_CAMERA=$CAMERA exec "$ROOT/build/linux-desktop/zeltfw"
fi

OUT=$ROOT/build/desktop-screenshots
echo "== no display (DISPLAY is not set or cannot be opened): playing a whole wizard run under Xvfb instead;"
echo "== one screenshot per step goes to $OUT"
exec bash "$ROOT/tools/screenshots/take-screenshots.sh" "$OUT"
