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
display_file=$(mktemp)
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
export WINEPREFIX="$root/build/mingw-x64/wineprefix"
stop() {
  WINEDEBUG=-all timeout 30 wineserver -w 2>/dev/null || WINEDEBUG=-all wineserver -k 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  rm -f "$display_file"
}
trap stop EXIT INT TERM
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
DISPLAY=":$(cat "$display_file")"
export DISPLAY
tests/windows/wine-run.sh "$WINEPREFIX" build/mingw-x64/zelt-drive.exe bench "$runs"
