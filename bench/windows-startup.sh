#!/bin/sh
# Benchmark of the Windows programs (not a test): each exe's size and the
# DLLs it imports, then zeltfw.exe's start-to-window time under Wine against
# the smallest window program of the same toolchain, median of RUNS runs.
#   bench/windows-startup.sh [RUNS]      (default 15; builds mingw-x64/x86 if needed)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${1:-15}

for preset in mingw-x64 mingw-x86; do
  if [ ! -f "build/$preset/zeltfw.exe" ]; then
    cmake --preset "$preset" >/dev/null
    cmake --build "build/$preset" -j "$(nproc 2>/dev/null || echo 2)" >/dev/null
  fi
done

echo "== sizes and imported DLLs"
for exe in build/mingw-x64/zeltfw.exe build/mingw-x86/zeltfw.exe build/mingw-x64/tools/zeltfw-sim.exe \
  build/mingw-x64/zelt-bench-window.exe; do
  [ -f "$exe" ] || continue
  case "$exe" in *x86*) objdump=i686-w64-mingw32-objdump ;; *) objdump=x86_64-w64-mingw32-objdump ;; esac
  dlls=$($objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')
  printf '%-40s %8d bytes  imports: %s\n' "$exe" "$(stat -c %s "$exe")" "$dlls"
done

echo "== start to window under $(wine --version 2>/dev/null || echo wine), $runs runs each"
. "$root/tools/scripts/xsession.sh"
use_wineprefix "$root/build/mingw-x64/wineprefix"
trap stop_xsession EXIT INT TERM
start_xvfb
tests/windows/wine-run.sh "$WINEPREFIX" build/mingw-x64/zelt-drive.exe bench "$runs"
