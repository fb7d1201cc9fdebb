#!/usr/bin/env bash
# Retakes the README's picture of zeltfw.exe at step 1 without a camera: builds
# the Windows programs, runs the first-run test under Wine (which leaves
# build/mingw-x64/zeltfw-window.bmp) and converts it to docs/zeltfw-windows.png.
# Usage: take-windows-screenshot.sh [OUTPUT.png]
source "$(dirname "$0")/../scripts/lib.sh"

OUT=${1:-$ROOT/docs/zeltfw-windows.png}
ensure_packages cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 \
  binutils-mingw-w64-i686 wine wine64 xvfb imagemagick
"$ROOT/tests/windows/run-wine-tests.sh" -R 'wine/zeltfw/first-run'
convert "$ROOT/build/mingw-x64/zeltfw-window.bmp" "$OUT"
echo "== $OUT"
