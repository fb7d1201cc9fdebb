#!/usr/bin/env bash
# tools/reliability/windows-planted-faults.sh: do the Windows checks catch
# real faults of the native backend and the real platform binding? Copies the
# committed tree to a temporary directory, builds it for mingw-x64, puts in
# one known fault at a time and runs the native backend's tests and zelt-play
# (the wizard and preservation scripts against zeltfw.exe with emulated
# cameras, whose power cuts and returns Wine itself tells the program of
# through the camera bus driver) under Wine, and reports which caught each
# (every script that failed, and the first failure). Faults marked "hidden"
# are ones Wine hides from a person (it keeps the arrowed item of a list left
# with Esc, ignores a pipe client's sharing, and completes synchronous
# transfers on an overlapped handle); the rest must be caught. Exit 1 when
# one of those went unnoticed. Takes about three quarters of an hour.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
WORK=$(mktemp -d)
source "$ROOT/tools/scripts/xsession.sh"
use_wineprefix "$WORK/wineprefix"
trap 'stop_xsession; rm -rf "$WORK"' EXIT INT TERM
start_xvfb
git -C "$ROOT" archive HEAD | tar -x -C "$WORK"
cd "$WORK"
JOBS=$(nproc 2>/dev/null || echo 2)
cmake --preset mingw-x64 >/dev/null
TARGETS=(--target zeltfw zelt-play zelt-win-view-tests)
cmake --build build/mingw-x64 -j "$JOBS" "${TARGETS[@]}" >/dev/null
RUN="$WORK/tests/windows/wine-run.sh $WINEPREFIX"
# zelt-play installs the camera bus driver into the prefix before its first run.
PLAY="$RUN --camera-bus"

unnoticed=0
# fault must|hidden NAME FILE TEXT REPLACEMENT
fault() {
  local must=$1 name=$2 file=$3 text=$4 replacement=$5
  cp "$file" "$file.orig"
  python3 - "$file" "$text" "$replacement" <<'PY'
import sys
path, old, new = sys.argv[1:4]
source = open(path).read()
if old not in source:
    sys.exit("fault point not found in " + path)
open(path, "w").write(source.replace(old, new, 1))
PY
  cmake --build build/mingw-x64 -j "$JOBS" "${TARGETS[@]}" >/dev/null
  local view play
  view=$(cd build/mingw-x64 && timeout 120 $RUN --display ./zelt-win-view-tests.exe --gtest_brief=1 2>&1 |
    grep -E '^\[  FAILED  \] [A-Za-z]' | head -3 | tr '\n' ' ' || true)
  if [ -z "$view" ] && ! (cd build/mingw-x64 && timeout 120 $RUN --display ./zelt-win-view-tests.exe >/dev/null 2>&1); then
    view="the tests did not end normally"
  fi
  play=$(cd build/mingw-x64 && timeout 1200 $PLAY --display ./zelt-play.exe ../../tests/scenarios/wizard/*.zsc \
    ../../tests/scenarios/preservation/*.zsc 2>&1 | grep -E '^\.\./.*:[0-9]+: ' | grep -v 'passed over:' || true)
  echo "$name:"
  echo "  backend tests: ${view:-all held}"
  echo "  zelt-play: $(printf '%s' "$play" | grep -c . || true) scripts failed${play:+: $(printf '%s\n' "$play" |
    sed 's|^[./]*tests/scenarios/||; s|\.zsc:.*||' | tr '\n' ' ')}"
  [ -z "$play" ] || echo "  first: $(printf '%s' "$play" | head -1)"
  if [[ $must == must && -z $view && -z $play ]]; then
    echo "  UNNOTICED"
    unnoticed=1
  fi
  mv "$file.orig" "$file"
  touch "$file"
}

fault must "the view order not carried into the z-order" lib/view/win32/child_views.cpp $'  Restack(window);\n' ''
fault must "a list laid out again from its own notifications" lib/view/win32/child_views.cpp \
  'if (!EqualRect(&place, &peer.placed)) {' 'if (true) {'
fault must "device records read for every event" lib/view/win32/top_window.cpp \
  'if (lParam == 0 || (event & 0x8000) == 0) return copy;' 'if (lParam == 0) return copy;'
# The notification registration: Windows (here Wine's plug-and-play) reads
# the record the program registers and tells it of its camera's class alone.
fault must "the record's class GUID taken from the next class" camera/link.cpp \
  'record->dbcc_classguid = CameraInterfaceClasses[i];' 'record->dbcc_classguid = CameraInterfaceClasses[(i + 1) % 8];'
fault must "DEVICE_NOTIFY_ALL_INTERFACE_CLASSES added to the flags" camera/link.cpp \
  'RegisterDeviceNotificationA(window, record, DEVICE_NOTIFY_WINDOW_HANDLE)' \
  'RegisterDeviceNotificationA(window, record, DEVICE_NOTIFY_WINDOW_HANDLE | 0x4)'
fault must "the registration dropped right after it is made" camera/link.cpp \
  $'  core::Free(record);\n}' \
  $'  core::Free(record);\n  win::UnregisterDeviceNotification(NotificationHandle);\n  NotificationHandle = nullptr;\n}'
fault must "the record's dbcc_devicetype wrong" camera/link.cpp \
  'record->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;' 'record->dbcc_devicetype = DBT_DEVTYP_PORT;'
fault must "no device notification registration" platform/real/notifications.cpp \
  'HDEVNOTIFY handle = ::RegisterDeviceNotificationA(recipient, filter, flags);' \
  'HDEVNOTIFY handle = nullptr; (void)recipient; (void)filter; (void)flags;'
fault hidden "the selection taken only from CBN_SELCHANGE" lib/view/win32/top_window.cpp \
  $'        backend.TakeSelections(window);\n' ''
fault hidden "the pipes opened without sharing" platform/real/files.cpp \
  '::CreateFileA(name, access, share, security' '::CreateFileA(name, access, 0, security'
fault hidden "the pipes opened for overlapped transfers" platform/real/files.cpp \
  'disposition, flags, templateFile)' 'disposition, flags | FILE_FLAG_OVERLAPPED, templateFile)'
exit "$unnoticed"
