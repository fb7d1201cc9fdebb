#!/usr/bin/env bash
# tools/reliability/mutation-check.sh: do the fault matrix and the random
# exploration catch real faults? Copies the committed tree to a temporary
# directory, puts in one known fault at a time (a write into another camera,
# a short reply taken as complete, a zero-byte transfer that leaves the link
# open, a registration never removed, a permission never removed, an
# administrator box that does not close the window, a saved place used on no
# monitor) and reports, per fault,
# how many combinations and seeds failed. Exit 1 when a fault went unnoticed
# by both. Takes a few minutes: each fault is a rebuild.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
git -C "$ROOT" archive HEAD | tar -x -C "$WORK"
cmake -S "$WORK" -B "$WORK/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
JOBS=$(nproc 2>/dev/null || echo 2)

# name|file|text|replacement
MUTATIONS=(
  "write into another camera|config/wizard.cpp|  if (!IsKeptDevice()) {|  if (false) {"
  "short reply taken as complete|camera/protocol.cpp|    if (moved < 1 + count) {|    if (false) {"
  "zero-byte transfer leaves the link open|camera/protocol.cpp|    Disconnect();
    return false;|    return false;"
  "registration never removed|camera/link.cpp|    win::UnregisterDeviceNotification(NotificationHandle);|"
  "permission never removed|config/wizard.cpp|  if (!oskel) RemoveDriverWritePermission(state_.IdentityCopy);|"
  "administrator box does not close|config/wizard.cpp|    RequestClose();
    ShowNotConnected();|    ShowNotConnected();"
  "saved place used off every monitor|app/ravik_config.cpp|  if (OnNoMonitor(position[0], position[1], rect.width, rect.height)) {|  if (false) {"
)

unnoticed=0
for mutation in "${MUTATIONS[@]}"; do
  # Fields may span lines: cut them from the whole string.
  name=${mutation%%|*}; rest=${mutation#*|}
  file=${rest%%|*}; rest=${rest#*|}
  text=${rest%%|*}; replacement=${rest#*|}
  cp "$WORK/$file" "$WORK/$file.orig"
  python3 - "$WORK/$file" "$text" "$replacement" <<'PY'
import sys
path, old, new = sys.argv[1:4]
source = open(path).read()
if old not in source:
    sys.exit("mutation point not found in " + path)
open(path, "w").write(source.replace(old, new, 1))
PY
  cmake --build "$WORK/build" -j "$JOBS" --target zelt-fault-matrix zelt-explore >/dev/null
  matrix=$("$WORK/build/tests/reliability/zelt-fault-matrix" | tail -1 || true)
  explore=$("$WORK/build/tests/reliability/zelt-explore" --seeds 2000 | tail -1 || true)
  echo "$name:"
  echo "  $matrix"
  echo "  $explore"
  if [[ $matrix == *", 0 did not" && $explore == *", 0 failed"* ]]; then
    echo "  UNNOTICED"
    unnoticed=1
  fi
  mv "$WORK/$file.orig" "$WORK/$file"
  touch "$WORK/$file"  # newer than the objects built from the fault
done
exit "$unnoticed"
