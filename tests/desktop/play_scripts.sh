#!/usr/bin/env bash
# ctest: scenario scripts of the simulated world played again in the desktop
# program (FLTK, the Virtual camera window) under a private Xvfb, one program
# run a script. A script this world cannot play (it starts the program twice,
# presses keys, maximizes) is refused before anything plays: it is named with
# the reason and passed over. Any other failure fails the test.
# Usage: play_scripts.sh ZELTFW SCRIPT...
set -uo pipefail
ZELTFW=$1
shift
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../../tools/scripts/xsession.sh"
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$HERE/lsan.supp}
SETTINGS=$(mktemp -d)
trap 'stop_xsession; rm -rf "$SETTINGS"' EXIT
start_xvfb

passed=0 over=0 failed=0
for script in "$@"; do
  rm -rf "${SETTINGS:?}"/*
  status=0
  out=$(XDG_CONFIG_HOME=$SETTINGS ZELTFW_DESKTOP_SCRIPT=$script ZELTFW_DESKTOP_SHOTS=$SETTINGS \
    timeout 120 "$ZELTFW" 2>&1) || status=$?
  case $status in
    0) passed=$((passed + 1)) ;;
    2)
      over=$((over + 1))
      echo "passed over: $(grep -m1 "^$script:" <<<"$out" || tail -n1 <<<"$out")"
      ;;
    *)
      failed=$((failed + 1))
      echo "FAILED ($status): $script"
      echo "$out"
      ;;
  esac
done
echo "$passed passed, $failed failed, $over passed over"
[ "$failed" -eq 0 ]
