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

# Where zeltfw.exe's bytes are: each section's size in the file's image (.text
# code, .rdata constants, .pdata/.xdata x64 unwind tables, .eh_frame x86
# unwind tables, .rsrc icon, version and manifest). The linker map beside
# each exe (zeltfw.map) says which library brought what.
echo "== zeltfw.exe sections (bytes)"
printf '%-10s %10s %10s\n' section x64 x86
sections() {
  $1 -h "$2" 2>/dev/null | while read -r index name size _; do
    case $index in [0-9]*) printf '%s %d\n' "$name" "$((0x$size))" ;; esac
  done
}
x64=$(sections x86_64-w64-mingw32-objdump build/mingw-x64/zeltfw.exe)
x86=$(sections i686-w64-mingw32-objdump build/mingw-x86/zeltfw.exe)
for name in $(printf '%s\n%s\n' "$x64" "$x86" | awk '!seen[$1]++ {print $1}'); do
  a=$(printf '%s\n' "$x64" | awk -v n="$name" '$1 == n {print $2}')
  b=$(printf '%s\n' "$x86" | awk -v n="$name" '$1 == n {print $2}')
  printf '%-10s %10s %10s\n' "$name" "${a:--}" "${b:--}"
done

echo "== start to window under $(wine --version 2>/dev/null || echo wine), $runs runs each"
. "$root/tools/scripts/xsession.sh"
use_wineprefix "$root/build/mingw-x64/wineprefix"
trap stop_xsession EXIT INT TERM
start_xvfb
tests/windows/wine-run.sh "$WINEPREFIX" build/mingw-x64/zelt-drive.exe bench "$runs"
echo "== the DLLs' share: the smallest window program with zeltfw.exe's DLLs and manifest, against the smallest"
bench_dir='Z:'$(printf '%s' "$root/build/mingw-x64" | tr / '\\')
tests/windows/wine-run.sh "$WINEPREFIX" build/mingw-x64/zelt-drive.exe bench "$runs" \
  "$bench_dir\\zelt-bench-imports.exe" "$bench_dir\\zelt-bench-window.exe"
