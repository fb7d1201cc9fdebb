#!/bin/sh
# Benchmark (not a test): the time of a whole wizard run of zeltfw.exe under
# Wine through the camera emulator, as a person's input drives it (step 1 to
# the closed window, the lists chosen with mouse and keyboard), without the
# power cut and return of step 2 and 3 (their device messages and the
# program's answer to them). RUNS runs; each run's figures and the median,
# for x64 under the machine's Wine and for x86 under the emulated i386 Wine
# (tools/scripts/x86-wine.sh), and their ratio: the emulation's cost, not how
# fast x86 Windows is.
#   bench/windows-wizard-run.sh [--x64|--x86] [RUNS]   (default 7; builds mingw-x64/x86 if needed)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd) && cd "$root"
script=tests/scenarios/wizard/person_zelt_run.zsc
worlds="x64 x86"
if [ "${1:-}" = --x64 ] || [ "${1:-}" = --x86 ]; then worlds=${1#--} && shift; fi
runs=${1:-7}

# One world's runs on an X server of its own; the median lands in
# build/mingw-WORLD/bench-wizard-median.
bench_world() {
  (
    world=$1
    build=build/mingw-$world
    if [ ! -f "$build/zelt-play.exe" ] || [ ! -f "$build/zeltfw.exe" ] || [ ! -f "$build/zelt-bus-install.exe" ]; then
      cmake --preset "mingw-$world" >/dev/null
      cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target zelt-play zeltfw >/dev/null
    fi
    . "$root/tools/scripts/xsession.sh"
    use_wineprefix "$root/$build/wineprefix"
    trap stop_xsession EXIT
    trap 'exit 1' INT TERM
    start_xvfb
    results=$(mktemp)
    for run in $(seq "$runs"); do
      line=$(tests/windows/wine-run.sh "$WINEPREFIX" --camera-bus "$build/zelt-play.exe" --timing "$script" |
        grep "ms played") || {
        echo "run $run: the script did not pass"
        rm -f "$results"
        exit 1
      }
      echo "run $run: ${line#*; }"
      echo "$line" | sed 's/.* ms played, \([0-9]*\) ms without.*/\1/' >>"$results"
    done
    sort -n "$results" | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}' >"$build/bench-wizard-median"
    rm -f "$results"
    echo "median without the power cuts and returns: $(cat "$build/bench-wizard-median") ms"
  )
}

for world in $worlds; do
  under="$(wine --version 2>/dev/null || echo wine)"
  [ "$world" = x64 ] || { tools/scripts/x86-wine.sh >/dev/null && under="the emulated i386 Wine (qemu-i386)"; }
  echo "== $world: a whole wizard run of zeltfw.exe under $under: $script, $runs runs"
  bench_world "$world"
done

if [ "$worlds" = "x64 x86" ]; then
  a=$(cat build/mingw-x64/bench-wizard-median)
  b=$(cat build/mingw-x86/bench-wizard-median)
  echo "== x86 beside x64: median $a ms (x64), $b ms (x86 under emulation), ratio x86/x64" \
    "$(awk -v a="$a" -v b="$b" 'BEGIN {printf "%.2f", b / a}')"
fi
