#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
source "$(dirname "$0")/lib.sh"

ensure_packages cmake make g++ googletest libgtest-dev

# --- Reliability ------------------------------------------------------------
# clang-14 and libclang-rt-14-dev bring clang and libFuzzer for the fuzz
# targets; valgrind runs memcheck. The fuzz targets run ZELT_FUZZ_SECONDS
# each (default 10); a long run: fuzz/run.sh 3600. The fault matrix, the
# random exploration, the leak canaries and the memcheck passes are ctest
# entries of the builds below (tests/reliability); the figures:
# tools/reliability/report.sh.
ensure_packages clang-14 libclang-rt-14-dev valgrind
"$ROOT/fuzz/run.sh" "${ZELT_FUZZ_SECONDS:-10}"
# ----------------------------------------------------------------------------

# Linux: release and sanitizer (address, leak, undefined behaviour) builds.
for preset in linux linux-sanitize; do
  build_preset "$preset"
  echo "== testing $preset"
  (cd "$ROOT/build/$preset" && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j "$JOBS")
done

# Linux desktop: zeltfw with FLTK, its backend and the whole program driven
# through the virtual camera panel under Xvfb.
ensure_packages libfltk1.3-dev fonts-liberation xvfb x11-utils imagemagick openbox
build_preset linux-desktop
echo "== testing linux-desktop"
# An X server under load now and then refuses a connection: a failing test gets one more run.
(cd "$ROOT/build/linux-desktop" && ctest --output-on-failure -L desktop --repeat until-pass:2)

# Windows: zeltfw.exe for x64 and x86 with MinGW-w64; the x64 programs and
# tests run under Wine, the x86 ones side by side under the emulated i386 Wine
# (tools/scripts/x86-wine.sh: qemu-i386 and Debian's i386 Wine in a private
# root under build/, downloaded on first use), each on a private X server.
ensure_packages g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 \
  binutils-mingw-w64-i686 wine wine64 xvfb fonts-liberation fonts-wine gcc
echo "== testing mingw-x64 and mingw-x86 under Wine"
"$ROOT/tests/windows/run-wine-tests.sh"

# Release: two releases from clean clones of the last commit compared byte
# for byte, what they hold, and the signing round trip (a few minutes).
echo "== checking the release"
"$ROOT/tools/scripts/check-release.sh"
