#!/bin/sh
# Benchmark (not a test): the time of a whole wizard run of zeltfw.exe under
# Wine through the camera emulator, as a person's input drives it (step 1 to
# the closed window, the lists chosen with mouse and keyboard), without the
# power cut and return of step 2 and 3 (their device messages and the
# program's answer to them). RUNS runs; each run's figures and the median.
#   bench/windows-wizard-run.sh [RUNS]      (default 7; builds mingw-x64 if needed)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${1:-7}
if [ ! -f build/mingw-x64/zelt-play.exe ] || [ ! -f build/mingw-x64/zeltfw.exe ]; then
  cmake --preset mingw-x64 >/dev/null
  cmake --build build/mingw-x64 -j "$(nproc 2>/dev/null || echo 2)" --target zelt-play zeltfw >/dev/null
fi

. "$root/tools/scripts/xsession.sh"
use_wineprefix "$root/build/mingw-x64/wineprefix"
trap stop_xsession EXIT INT TERM
start_xvfb

script=tests/scenarios/wizard/person_zelt_run.zsc
echo "== a whole wizard run of zeltfw.exe under $(wine --version 2>/dev/null || echo wine): $script, $runs runs"
results=$(mktemp)
for run in $(seq "$runs"); do
  line=$(tests/windows/wine-run.sh "$WINEPREFIX" build/mingw-x64/zelt-play.exe --timing "$script" | grep "ms played")
  echo "run $run: ${line#*; }"
  echo "$line" | sed 's/.* ms played, \([0-9]*\) ms without.*/\1/' >>"$results"
done
echo "median without the power cuts and returns: $(sort -n "$results" | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}') ms"
rm -f "$results"
