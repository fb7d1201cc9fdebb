#!/usr/bin/env bash
# tools/reliability/long-run.sh [SEEDS] [FUZZ_SECONDS]: the long runs. The
# random exploration over SEEDS seeds (default 200000, about 20 minutes on
# two cores) past the 2000 that the tests play, 100 events each; then every
# fuzz target for FUZZ_SECONDS (default 3600). Failing seeds are printed with
# their shortest failing script; fuzz findings land in build/fuzz/findings.
source "$(dirname "$0")/../scripts/lib.sh"
SEEDS=${1:-200000}
FUZZ_SECONDS=${2:-3600}
build_preset linux >/dev/null
status=0
"$ROOT/build/linux/tests/reliability/zelt-explore" --first 100000 --seeds "$SEEDS" --events 100 || status=1
"$ROOT/fuzz/run.sh" "$FUZZ_SECONDS" || status=1
exit "$status"
