#!/bin/sh
# Benchmark of the Windows programs (not a test): each exe's size and the
# DLLs it imports, then zeltfw.exe's start-to-window time under Wine against
# the smallest window program of the same toolchain, median of RUNS runs, for
# x64 under the machine's Wine and for x86 under the emulated i386 Wine
# (tools/scripts/x86-wine.sh), printed side by side. The emulated figures say
# how much slower the emulation is (ratios), not how fast x86 Windows is.
#   bench/windows-startup.sh [--x64|--x86] [RUNS]   (default 15; builds mingw-x64/x86 if needed)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
worlds="x64 x86"
if [ "${1:-}" = --x64 ] || [ "${1:-}" = --x86 ]; then worlds=${1#--} && shift; fi
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

# One world's start-up figures on an X server of its own; the figures land in
# build/mingw-WORLD/bench-startup.txt.
bench_world() {
  (
    world=$1
    build=build/mingw-$world
    . "$root/tools/scripts/xsession.sh"
    use_wineprefix "$root/$build/wineprefix"
    trap stop_xsession EXIT
    trap 'exit 1' INT TERM
    start_xvfb
    bench_dir='Z:'$(printf '%s' "$root/$build" | tr / '\\')
    {
      tests/windows/wine-run.sh "$WINEPREFIX" "$build/zelt-play.exe" --bench "$runs"
      echo "the DLLs' share: the smallest window program with zeltfw.exe's DLLs and manifest, against the smallest"
      tests/windows/wine-run.sh "$WINEPREFIX" "$build/zelt-play.exe" --bench "$runs" \
        "$bench_dir\\zelt-bench-imports.exe" "$bench_dir\\zelt-bench-window.exe"
    } | tee "$build/bench-startup.txt"
    [ "$(grep -c "ratio of medians" "$build/bench-startup.txt")" -eq 2 ] || exit 1
  )
}

# median PROGRAM FILE: the median in ms of the line that names PROGRAM.
median() { awk -v exe="$1" '$2 == exe && $3 == "median" {print $4; exit}' "$2"; }

for world in $worlds; do
  if [ "$world" = x64 ]; then
    echo "== x64: start to window under $(wine --version 2>/dev/null || echo wine), $runs runs each"
  else
    tools/scripts/x86-wine.sh >/dev/null
    echo "== x86: start to window under the emulated i386 Wine (qemu-i386), $runs runs each"
  fi
  bench_world "$world"
done

if [ "$worlds" = "x64 x86" ]; then
  echo "== x86 beside x64 (medians in ms; x86 under emulation)"
  printf '%-24s %10s %10s %8s\n' program x64 x86 x86/x64
  for exe in zeltfw.exe zelt-bench-imports.exe zelt-bench-window.exe; do
    a=$(median "$exe" build/mingw-x64/bench-startup.txt)
    b=$(median "$exe" build/mingw-x86/bench-startup.txt)
    [ -n "$a" ] && [ -n "$b" ] || continue
    printf '%-24s %10s %10s %8s\n' "$exe" "$a" "$b" "$(awk -v a="$a" -v b="$b" 'BEGIN {printf "%.2f", b / a}')"
  done
fi
