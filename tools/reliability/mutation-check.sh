#!/usr/bin/env bash
# tools/reliability/mutation-check.sh [--sample N] [--seed S] [--all]
#   [--no-chosen] [--memcheck] [--list]: do the tests catch real faults?
# Copies the committed tree to a temporary folder and puts faults into it one
# at a time: first the chosen ones (a write into another camera, a reply one
# byte short taken as whole, a read after a request that moved nothing, a
# transient enumeration error, a new device path not kept, the lists on top
# of each other, settings that open only for reading, a volatile section,
# ...), each of which must be caught; then a sample of the mutants that the
# operators of mutation_operators.py make of every eligible line of app/,
# config/, camera/, ui/, core/ and lib/support (conditions negated or dropped,
# < and <= swapped, constants off by one, masks changed, statements dropped,
# early returns). Each is rebuilt where it changed and meets the cheapest
# tests first (scenario suite, unit tests, fault matrix, exploration, the
# suite with the sanitizers; with --memcheck also under valgrind), stopping
# at the first that fails. Prints each
# mutant killed or survived with its place, the survivors with the reason
# when equivalent-mutants.txt judges them equivalent, and the score. Exit 1
# when a chosen fault or an unexplained survivor got through. On two cores the
# copy builds in about 15 minutes and the default sample plays in about 30;
# not part of test.sh.
set -euo pipefail
command -v python3 >/dev/null || { echo "mutation-check.sh needs python3" >&2; exit 2; }
exec python3 "$(dirname "$0")/mutation_check.py" "$@"
