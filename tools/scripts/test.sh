#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, part by
# part, and prints each part's time at the end:
#   fuzz      the libFuzzer targets (clang of the release), ZELT_FUZZ_SECONDS each
#   linux     the Linux release build and its ctest (unit tests, scenario
#             scripts, fault matrix, random exploration, memcheck)
#   sanitize  the same under the address, leak and undefined-behaviour sanitizers
#   desktop   the FLTK desktop program and its tests under Xvfb
#   windows   zeltfw.exe for x64 and x86 and their tests under Wine (x86 under
#             qemu-i386); windows-x64: the x64 half alone
#   release   two releases compared byte for byte, and the signing round trip
#   other     the other supported Debian release: a root of it (debootstrap,
#             under build/), and in it the linux and windows-x64 parts, so that
#             both releases build and both Wines play zeltfw.exe
#   tools/scripts/test.sh [PART...]     (default: all of them, in this order)
source "$(dirname "$0")/lib.sh"

parts=("$@")
[ ${#parts[@]} -gt 0 ] || parts=(fuzz linux sanitize desktop windows release other)

# Debian 12 (bookworm) and 13 (trixie) are supported; each tests the other.
other_release() {
  if [ "$(host_release)" = trixie ]; then echo bookworm; else echo trixie; fi
}

part_fuzz() {
  local version
  version=$(clang_version)
  # clang-N and libclang-rt-N-dev bring clang and libFuzzer; a long run:
  # fuzz/run.sh 3600. The fault matrix, the random exploration, the leak
  # canaries and the memcheck passes are ctest entries of the Linux builds
  # (tests/reliability); the figures: tools/reliability/report.sh.
  ensure_packages $PACKAGES_BUILD "clang-$version" "libclang-rt-$version-dev"
  "$ROOT/fuzz/run.sh" "${ZELT_FUZZ_SECONDS:-10}"
}

# The Linux builds: release, and sanitizers (address, leak, undefined behaviour).
test_linux_preset() {
  ensure_packages $PACKAGES_BUILD valgrind
  build_preset "$1"
  echo "== testing $1"
  (cd "$ROOT/build/$1" && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j "$JOBS")
}
part_linux() { test_linux_preset linux; }
part_sanitize() { test_linux_preset linux-sanitize; }

# zeltfw with FLTK, its backend and the whole program driven through the
# virtual camera panel under Xvfb.
part_desktop() {
  ensure_packages $PACKAGES_BUILD libfltk1.3-dev fonts-liberation xvfb x11-utils imagemagick openbox
  build_preset linux-desktop
  echo "== testing linux-desktop"
  # An X server under load now and then refuses a connection: a failing test gets one more run.
  (cd "$ROOT/build/linux-desktop" && ctest --output-on-failure -L desktop --repeat until-pass:2)
}

# zeltfw.exe with MinGW-w64; the x64 programs and tests run under Wine, the
# x86 ones side by side under the emulated i386 Wine (tools/scripts/x86-wine.sh:
# qemu-i386 and Debian's i386 Wine in a private root under build/, downloaded
# on first use), each on a private X server.
part_windows() {
  ensure_packages cmake make $PACKAGES_WINDOWS_X64 $PACKAGES_WINDOWS_X86
  echo "== testing mingw-x64 and mingw-x86 under Wine"
  "$ROOT/tests/windows/run-wine-tests.sh"
}
part_windows-x64() {
  ensure_packages cmake make $PACKAGES_WINDOWS_X64
  echo "== testing mingw-x64 under Wine $(wine --version 2>/dev/null || true)"
  "$ROOT/tests/windows/run-wine-tests.sh" --x64
}

# Two releases from clean clones of the last commit compared byte for byte,
# what they hold, and the signing round trip.
part_release() {
  echo "== checking the release"
  "$ROOT/tools/scripts/check-release.sh"
}

# The other release's root is made in the background from the start (mostly
# downloads), and its parts run last.
other_log=""
start_other_root() {
  ensure_packages debootstrap
  other_log=$ROOT/build/debian-$(other_release).log
  mkdir -p "$ROOT/build"
  "$ROOT/tools/scripts/debian-root.sh" "$(other_release)" --make $PACKAGES_BUILD valgrind \
    $PACKAGES_WINDOWS_X64 >"$other_log" 2>&1 &
  other_pid=$!
  trap 'kill "$other_pid" 2>/dev/null || true' EXIT
}
part_other() {
  local release
  release=$(other_release)
  [ -n "$other_log" ] || start_other_root
  echo "== making the Debian $release root (build/debian-$release)"
  if ! wait "$other_pid"; then
    cat "$other_log"
    return 1
  fi
  echo "== testing in the Debian $release root: the linux and windows-x64 parts"
  "$ROOT/tools/scripts/debian-root.sh" "$release" tools/scripts/test.sh linux windows-x64
}

for part in "${parts[@]}"; do
  declare -F "part_$part" >/dev/null || {
    echo "test.sh: no part named $part (fuzz linux sanitize desktop windows windows-x64 release other)" >&2
    exit 2
  }
  [ "$part" != other ] || start_other_root
done

times=()
for part in "${parts[@]}"; do
  started=$(date +%s)
  "part_$part"
  times+=("$part $(($(date +%s) - started)) s")
done
echo "== every part passed ($(host_release)):"
printf '   %s\n' "${times[@]}"
