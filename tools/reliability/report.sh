#!/usr/bin/env bash
# tools/reliability/report.sh [--seeds N] [--fuzz SECONDS]: the reliability
# figures, measured now. Builds the linux and linux-sanitize presets (and the
# fuzz targets) where needed, then runs the fault matrix, the random
# exploration (N seeds, default 2000), the scenario suite, the matrix and the
# exploration under the address, leak and undefined-behaviour sanitizers and
# under valgrind memcheck, and each fuzz target for SECONDS (default 10).
# Exit 1 when any figure shows a failure.
source "$(dirname "$0")/../scripts/lib.sh"

SEEDS=2000
FUZZ_SECONDS=10
while [ $# -gt 0 ]; do
  case $1 in
    --seeds) SEEDS=$2; shift 2 ;;
    --fuzz) FUZZ_SECONDS=$2; shift 2 ;;
    *) echo "usage: $0 [--seeds N] [--fuzz SECONDS]" >&2; exit 2 ;;
  esac
done

for preset in linux linux-sanitize; do build_preset "$preset" >/dev/null; done
LINUX=$ROOT/build/linux
SAN=$ROOT/build/linux-sanitize
mapfile -t SCRIPTS < <(find "$ROOT/tests/scenarios" -name '*.zsc' | sort)
SCRIPTS+=("$ROOT/tools/scripts/walkthrough.zsc")
LOG=$(mktemp -d)
trap 'rm -rf "$LOG"' EXIT
failed=0

# The last line a command printed, or why it failed.
figure() {
  local name=$1
  shift
  if "$@" >"$LOG/$name" 2>&1; then
    tail -1 "$LOG/$name"
  else
    failed=1
    echo "FAILED (exit $?): $(tail -1 "$LOG/$name")"
  fi
}

# Clean or not under a checker; the checker's own words on failure.
checked() {
  local name=$1
  shift
  if "$@" >"$LOG/$name" 2>&1; then
    echo "clean"
  else
    failed=1
    echo "NOT CLEAN: $(grep -m1 -E 'ERROR|runtime error|definitely lost|Invalid|did not|failed' "$LOG/$name")"
  fi
}

export ASAN_OPTIONS=detect_leaks=1
MEMCHECK=(valgrind --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite,indirect,possible -q)

matrix=$(figure matrix "$LINUX/tests/reliability/zelt-fault-matrix")
explore=$(figure explore "$LINUX/tests/reliability/zelt-explore" --seeds "$SEEDS")
suite=$(figure suite "$LINUX/tools/zeltfw-sim" "${SCRIPTS[@]}")

san_suite=$(checked san-suite "$SAN/tools/zeltfw-sim" "${SCRIPTS[@]}")
san_matrix=$(checked san-matrix "$SAN/tests/reliability/zelt-fault-matrix")
san_explore=$(checked san-explore "$SAN/tests/reliability/zelt-explore" --seeds 500)
canary=$("$SAN/tests/reliability/zelt-leak-canary" 2>&1 || true)
if grep -q "LeakSanitizer: detected memory leaks" <<<"$canary"; then
  lsan="on (a deliberate 64-byte leak is reported)"
else
  lsan="OFF: a deliberate leak went unreported"
  failed=1
fi

vg_suite=$(checked vg-suite "${MEMCHECK[@]}" "$LINUX/tools/zeltfw-sim" "${SCRIPTS[@]}")
vg_matrix=$(checked vg-matrix "${MEMCHECK[@]}" "$LINUX/tests/reliability/zelt-fault-matrix")
vg_explore=$(checked vg-explore "${MEMCHECK[@]}" "$LINUX/tests/reliability/zelt-explore" --seeds 100)

if ! "$ROOT/fuzz/run.sh" "$FUZZ_SECONDS" >"$LOG/fuzz" 2>&1; then failed=1; fi

echo
echo "== zeltfw reliability report ($(date -u +%Y-%m-%d), $(git -C "$ROOT" rev-parse --short HEAD))"
echo "$matrix"
echo "$explore"
echo "scenario suite: $suite"
echo "fuzzing (${FUZZ_SECONDS}s each, libFuzzer with ASan+UBSan):"
sed 's/^fuzz /  /' "$ROOT/build/fuzz/summary.txt"
echo "sanitizers (address, leak, undefined behaviour; linux-sanitize):"
echo "  scenario suite in one process:  $san_suite"
echo "  fault matrix:                   $san_matrix"
echo "  random exploration, 500 seeds:  $san_explore"
echo "  leak detection:                 $lsan"
echo "valgrind memcheck (linux; errors, and blocks lost definitely, indirectly or possibly):"
echo "  scenario suite in one process:  $vg_suite"
echo "  fault matrix:                   $vg_matrix"
echo "  random exploration, 100 seeds:  $vg_explore"
exit "$failed"
