#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
source "$(dirname "$0")/lib.sh"

ensure_packages cmake make g++ googletest libgtest-dev

for preset in linux linux-sanitize; do
  build_preset "$preset"
  echo "== testing $preset"
  (cd "$ROOT/build/$preset" && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j "$JOBS")
done
