#!/bin/sh
# Builds the Windows programs with MinGW-w64 (presets mingw-x64 and mingw-x86)
# and runs the x64 tests under Wine: the unit tests and scenarios through the
# Windows builds, the real platform, the native backend and zeltfw.exe itself.
# Installs nothing. Needs: cmake, the MinGW-w64 cross compilers, wine, xvfb.
#   tests/windows/run-wine-tests.sh [extra ctest arguments]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
jobs=$(nproc 2>/dev/null || echo 2)

cmake --preset mingw-x64 >/dev/null
cmake --build build/mingw-x64 -j "$jobs"
cmake --preset mingw-x86 >/dev/null
cmake --build build/mingw-x86 -j "$jobs"

# One X server for every window the tests open, on a display it picks itself.
display_file=$(mktemp)
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
export WINEPREFIX="$root/build/mingw-x64/wineprefix"
stop() {
  # Let this prefix's Wine finish before its display goes away.
  WINEDEBUG=-all timeout 30 wineserver -w 2>/dev/null || WINEDEBUG=-all wineserver -k 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  rm -f "$display_file"
}
trap stop EXIT INT TERM
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
[ -s "$display_file" ] || { echo "run-wine-tests.sh: Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(cat "$display_file")"
export DISPLAY

# Wine now and then loses a client's connection to its server when several
# programs start at once ("recvmsg: Connection reset by peer"); a test that
# fails so gets one more run. A real failure fails twice.
ctest --test-dir build/mingw-x64 --output-on-failure -j "$jobs" --timeout 300 --repeat until-pass:2 "$@"
