#!/usr/bin/env bash
# Takes the README's pictures of zeltfw.exe itself under Wine: every step of
# a wizard run with an emulated Zelt camera and each error box, played by the
# scripts in tools/screenshots/windows through zelt-play (which saves a
# picture at each `shot` line), converted to PNG and checked not to be blank.
# Rerun it whenever the screens change.
#   tools/screenshots/take-windows-screenshots.sh [FOLDER]   (default docs/screenshots/windows)
source "$(dirname "$0")/../scripts/lib.sh"
source "$ROOT/tools/scripts/xsession.sh"

OUT=${1:-$ROOT/docs/screenshots/windows}
BUILD=$ROOT/build/mingw-x64
# A prefix of its own: the administrator picture changes the Windows version
# Wine reports to zeltfw.exe, which the tests' prefix must never see.
PREFIX=$BUILD/screenshots-wineprefix
SCENES=$ROOT/tools/screenshots/windows

ensure_packages cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb x11-utils \
  imagemagick fonts-liberation fonts-wine
echo "== building zeltfw.exe, zelt-play and zelt-camera"
cmake --preset mingw-x64 -S "$ROOT" >/dev/null
cmake --build "$BUILD" --target zeltfw zelt-play zelt-camera -j "$JOBS" >/dev/null

SHOTS=$(mktemp -d)
CAMERA_PID=""
PROGRAM_PID=""
cleanup() {
  for pid in $PROGRAM_PID $CAMERA_PID; do kill "$pid" 2>/dev/null || true; done
  stop_xsession
  rm -rf "$SHOTS"
}
trap cleanup EXIT
use_wineprefix "$PREFIX"
start_xvfb
export WINEDEBUG=-all
run() { "$ROOT/tests/windows/wine-run.sh" "$PREFIX" "$@"; }

# Left behind by a run that stopped at the administrator box, it would turn
# every scene into that box.
version_key='HKCU\Software\Wine\AppDefaults\zeltfw.exe'
run reg delete "$version_key" /f >/dev/null 2>&1 || true

echo "== playing the scenes"
exe=$(run winepath.exe -w "$BUILD/zeltfw.exe" | tr -d '\r')
(cd "$SHOTS" && run --camera-bus "$BUILD/zelt-play.exe" --exe "$exe" "$SCENES"/*.zsc)

# The administrator box. Wine grants every user the service manager, so the
# check cannot fail as on a Windows without administrator rights; a program
# that Wine tells it runs on Win32s fails the same check (neither NT nor 9x)
# and shows the same box. The box comes before the window is shown, which
# zelt-play waits for; so the camera emulator and the program run here, and
# the screen is taken once the box is up.
echo "== the administrator box"
run reg add "$version_key" /v Version /d win31 /f >/dev/null
mkfifo "$SHOTS/camera-input"
# Started straight (not through a function) so that the ids are Wine's processes.
"$ROOT/tests/windows/wine-run.sh" "$PREFIX" --camera-bus "$BUILD/zelt-camera.exe" <"$SHOTS/camera-input" >/dev/null &
CAMERA_PID=$!
exec 7>"$SHOTS/camera-input"
echo 'camera demo class=4 model=1030 id=52417 type="Zelt KAF" count=5 wheel=1 flags=0' >&7
sleep 2
"$ROOT/tests/windows/wine-run.sh" "$PREFIX" "$BUILD/zeltfw.exe" 7>&- &
PROGRAM_PID=$!
box_up() { xwininfo -root -tree 2>/dev/null | grep -q '"Chyba": ("zeltfw.exe"'; }
for _ in $(seq 150); do
  box_up && break
  sleep 0.2
done
box_up || { echo "no administrator box within 30 s" >&2; exit 1; }
sleep 1
# Nothing but the box is on the screen: the rest of it is the black background.
import -window root "$SHOTS/root.png"
convert "$SHOTS/root.png" -trim +repage "$SHOTS/error-admin.bmp"
kill "$PROGRAM_PID"
wait "$PROGRAM_PID" 2>/dev/null || true
PROGRAM_PID=""
run reg delete "$version_key" /f >/dev/null
exec 7>&-  # the emulator ends with its input
wait "$CAMERA_PID" 2>/dev/null || true
CAMERA_PID=""

# Each picture as PNG (what lies outside the window and its box transparent,
# no time stamps), and none of them blank: a picture of one colour or of a
# handful means the window was not drawn.
mkdir -p "$OUT"
expected=$(sed -n 's/^shot \([a-z0-9-]*\)\.bmp$/\1/p' "$SCENES"/*.zsc; echo error-admin)
for name in $expected; do
  [ -f "$SHOTS/$name.bmp" ] || { echo "$name.bmp was not taken" >&2; exit 1; }
  convert "$SHOTS/$name.bmp" -transparent '#FF00FF' -strip -define png:exclude-chunks=date,time "$OUT/$name.png"
  read -r width height colours <<<"$(identify -format '%w %h %k' "$OUT/$name.png")"
  if [ "$width" -lt 100 ] || [ "$height" -lt 60 ] || [ "$colours" -lt 8 ]; then
    echo "$name.png looks blank: $width x $height pixels, $colours colours" >&2
    exit 1
  fi
  echo "   $name.png: $width x $height, $colours colours"
done
echo "== pictures in $OUT"
