#!/usr/bin/env bash
# fuzz/run.sh [SECONDS]: builds the libFuzzer targets with clang (the highest
# version installed with its runtime library: the Debian packages clang-N and
# libclang-rt-N-dev, which tools/scripts/test.sh installs for the release's
# default N; CLANG_VERSION=N chooses one) and runs each for SECONDS
# (default 10) over its corpus in fuzz/corpus/TARGET. New inputs go to
# build/fuzz/work/TARGET, findings to build/fuzz/findings/TARGET; the corpora
# in the repository are only read. Prints executions and findings per target
# and writes them to build/fuzz/summary.txt; exit 1 when any target found
# something. A long run: fuzz/run.sh 3600
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
SECONDS_PER_TARGET=${1:-10}
BUILD=$ROOT/build/fuzz
JOBS=$(nproc 2>/dev/null || echo 2)
TARGETS="camera_replies version_block window_position script_parser"
if [ -z "${CLANG_VERSION:-}" ]; then
  source "$ROOT/tools/scripts/lib.sh"
  CLANG_VERSION=$(clang_version)
fi
command -v "clang++-$CLANG_VERSION" >/dev/null || {
  echo "fuzz/run.sh: clang++-$CLANG_VERSION is missing (Debian: clang-$CLANG_VERSION libclang-rt-$CLANG_VERSION-dev)" >&2
  exit 1
}

echo "== building the fuzz targets (clang $CLANG_VERSION, libFuzzer, address and undefined-behaviour sanitizers)"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER="clang-$CLANG_VERSION" -DCMAKE_CXX_COMPILER="clang++-$CLANG_VERSION" \
  -DZELT_FUZZ=ON -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" \
  -DCMAKE_C_FLAGS="-fsanitize=fuzzer-no-link,address,undefined" >/dev/null
cmake --build "$BUILD" -j "$JOBS" --target fuzz-targets >/dev/null

summary=$BUILD/summary.txt
: >"$summary"
found=0
for target in $TARGETS; do
  work=$BUILD/work/$target
  findings=$BUILD/findings/$target
  log=$BUILD/$target.log
  mkdir -p "$work" "$findings"
  set +e
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$BUILD/fuzz/fuzz-$target" -max_total_time="$SECONDS_PER_TARGET" -print_final_stats=1 -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="$findings/" "$work" "$ROOT/fuzz/corpus/$target" >"$log" 2>&1
  status=$?
  set -e
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  count=$(find "$findings" -type f | wc -l)
  line="fuzz $target: ${runs:-0} executions in ${SECONDS_PER_TARGET}s, $count findings"
  if [ "$status" -ne 0 ] || [ "$count" -ne 0 ]; then
    found=1
    line="$line (exit $status; see $log and $findings)"
    grep -m5 -E "ERROR|SUMMARY|runtime error" "$log" || true
  fi
  echo "$line" | tee -a "$summary"
done
exit "$found"
