#!/bin/sh
# Builds the Windows programs with MinGW-w64 (presets mingw-x64 and mingw-x86)
# and runs their tests under Wine: the unit tests and scenarios through the
# Windows builds, the real platform, the native backend and zeltfw.exe itself.
# The x64 tests run under the machine's Wine; the x86 tests under the emulated
# i386 Wine (tools/scripts/x86-wine.sh makes it on first use, under
# build/x86-wine), side by side with the x64 ones, each world on its own X
# server and prefix. Installs nothing. Needs: cmake, the MinGW-w64 cross
# compilers, wine, wine64, xvfb, gcc; for the x86 world's first set-up, the
# machine's Debian mirror.
#   tests/windows/run-wine-tests.sh [--x64|--x86] [extra ctest arguments]
# --x64, --x86: only that world's tests.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
jobs=$(nproc 2>/dev/null || echo 2)
worlds="x64 x86"
if [ "${1:-}" = --x64 ] || [ "${1:-}" = --x86 ]; then worlds=${1#--} && shift; fi

for world in $worlds; do
  cmake --preset "mingw-$world" >/dev/null
  cmake --build "build/mingw-$world" -j "$jobs"
done
case " $worlds " in *" x86 "*) tools/scripts/x86-wine.sh >/dev/null ;; esac

# One world's tests on an X server of its own, on a display it picks itself.
# Wine now and then loses a client's connection to its server when several
# programs start at once ("recvmsg: Connection reset by peer"); a test that
# fails so gets one more run. A real failure fails twice. The emulated world
# takes three to four times as long: its tests get longer before they time out.
run_world() {
  (
    world=$1
    shift
    . "$root/tools/scripts/xsession.sh"
    use_wineprefix "$root/build/mingw-$world/wineprefix"
    trap stop_xsession EXIT
    trap 'exit 1' INT TERM
    start_xvfb
    timeout=300
    [ "$world" = x64 ] || timeout=900
    status=0
    ctest --test-dir "build/mingw-$world" --output-on-failure --no-tests=error -j "$jobs" --timeout "$timeout" \
      --repeat until-pass:2 "$@" || status=$?
    # A world whose camera bus driver did not install plays only the scripts without power cuts and returns.
    if [ -f "$WINEPREFIX.camera-bus-missing" ]; then
      echo "== $world: $(cat "$WINEPREFIX.camera-bus-missing")"
      echo "== $world: the scripts that cut or restore a camera's power while zeltfw.exe runs were not played"
    fi
    exit "$status"
  )
}

start=$(date +%s)
if [ "$worlds" = "x64 x86" ]; then
  # The x86 tests in the background, their report when both are done.
  x86_log=build/mingw-x86/wine-tests.log
  run_world x86 "$@" >"$x86_log" 2>&1 &
  x86_pid=$!
  trap 'kill "$x86_pid" 2>/dev/null || true' INT TERM
  x64_status=0
  run_world x64 "$@" || x64_status=$?
  echo "== x64 tests under Wine: $(($(date +%s) - start)) s, $([ "$x64_status" -eq 0 ] && echo passed || echo FAILED)"
  x86_status=0
  wait "$x86_pid" || x86_status=$?
  trap - INT TERM
  echo "== x86 tests under the emulated i386 Wine ($x86_log):"
  cat "$x86_log"
  echo "== x86 tests under the emulated i386 Wine: $(($(date +%s) - start)) s from the start," \
    "$([ "$x86_status" -eq 0 ] && echo passed || echo FAILED)"
  [ "$x64_status" -eq 0 ] && [ "$x86_status" -eq 0 ]
else
  run_world "$worlds" "$@"
  echo "== $worlds tests under Wine: $(($(date +%s) - start)) s"
fi
