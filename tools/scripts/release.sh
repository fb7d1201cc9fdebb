#!/usr/bin/env bash
# Builds a release for camera owners from the last commit (never from
# uncommitted changes): zeltfw.exe for x64 and x86, each zipped with the Czech
# read-me CTETE.txt (Windows-1250, CRLF), and SHA256SUMS over both zips and
# both exes. The same commit gives the same bytes in any folder at any time:
# the exes carry no time stamp or build path, the zip entries carry the
# commit's time, in a fixed order.
#   tools/scripts/release.sh [DIST]          (default dist/)
# Signing (Authenticode, SHA-256) before zipping, with the owner's certificate:
#   ZELT_SIGN_PFX=cert.pfx ZELT_SIGN_PASS_FILE=password.txt tools/scripts/release.sh
# Without ZELT_SIGN_PFX the exes are not signed, and RELEASE.txt says so.
source "$(dirname "$0")/lib.sh"

DIST=${1:-$ROOT/dist}
WORK=$ROOT/build/release

ensure_packages cmake make git zip g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 \
  binutils-mingw-w64-i686
if [ -n "${ZELT_SIGN_PFX:-}" ]; then
  [ -f "$ZELT_SIGN_PFX" ] || { echo "release.sh: ZELT_SIGN_PFX: no file $ZELT_SIGN_PFX" >&2; exit 1; }
  [ -f "${ZELT_SIGN_PASS_FILE:-}" ] || {
    echo "release.sh: ZELT_SIGN_PASS_FILE must name the file with the certificate's password" >&2
    exit 1
  }
  ensure_packages osslsigncode openssl
fi

cd "$ROOT"
COMMIT=$(git rev-parse HEAD)
# The source date: the last commit's, for everything that needs a time.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
export TZ=UTC
unset ZIP ZIPOPT  # zip takes options from these
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "release.sh: uncommitted changes are not in the release; it is built from $COMMIT" >&2
fi
# The committed tree, exported once per commit; its builds are then brought up
# to date like any other.
if [ "$(cat "$WORK/source-commit" 2>/dev/null || true)" != "$COMMIT" ]; then
  rm -rf "$WORK"
  mkdir -p "$WORK/source"
  git archive --format=tar HEAD | tar -x -C "$WORK/source"
  echo "$COMMIT" >"$WORK/source-commit"
fi
VERSION=$(cmake -P "$WORK/source/cmake/ZeltVersion.cmake")
echo "== zeltfw $VERSION from $COMMIT ($(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC'))"
for arch in x64 x86; do
  echo "== building zeltfw.exe for $arch"
  cmake --preset "mingw-$arch" -S "$WORK/source" -B "$WORK/$arch" -DZELT_TESTS=OFF >/dev/null
  cmake --build "$WORK/$arch" --target zeltfw -j "$JOBS" >/dev/null
done

NAME=zeltfw-$VERSION-windows
mkdir -p "$DIST"
DIST=$(cd "$DIST" && pwd)
rm -rf "$DIST/$NAME-x64" "$DIST/$NAME-x86"
rm -f "$DIST/$NAME-x64.zip" "$DIST/$NAME-x86.zip" "$DIST/SHA256SUMS" "$DIST/RELEASE.txt"

if [ -n "${ZELT_SIGN_PFX:-}" ]; then
  subject=$(openssl pkcs12 -in "$ZELT_SIGN_PFX" -passin "file:$ZELT_SIGN_PASS_FILE" -nokeys -clcerts 2>/dev/null |
    openssl x509 -noout -subject -nameopt oneline 2>/dev/null | sed 's/^subject= *//')
  [ -n "$subject" ] || { echo "release.sh: cannot read the certificate in $ZELT_SIGN_PFX" >&2; exit 1; }
  SIGNED="signed (Authenticode, SHA-256) by $subject"
else
  SIGNED="not signed"
fi

for arch in x64 x86; do
  stage=$DIST/$NAME-$arch
  mkdir -p "$stage"
  if [ -n "${ZELT_SIGN_PFX:-}" ]; then
    echo "== signing zeltfw.exe for $arch"
    osslsigncode sign -pkcs12 "$ZELT_SIGN_PFX" -readpass "$ZELT_SIGN_PASS_FILE" -h sha256 -n "zeltfw $VERSION" \
      -in "$WORK/$arch/zeltfw.exe" -out "$stage/zeltfw.exe" >/dev/null
  else
    cp "$WORK/$arch/zeltfw.exe" "$stage/zeltfw.exe"
  fi
  # Notepad on a Czech Windows reads Windows-1250 with CRLF; iconv stops the
  # release on a character that Windows-1250 lacks.
  iconv -f UTF-8 -t WINDOWS-1250 "$WORK/source/res/CTETE.txt" | sed 's/$/\r/' >"$stage/CTETE.txt"
  # Fixed entry times, modes and order, and no extra fields (-X): the zip is
  # the same wherever and whenever it is made.
  chmod 0644 "$stage/zeltfw.exe" "$stage/CTETE.txt"
  touch -d "@$SOURCE_DATE_EPOCH" "$stage/zeltfw.exe" "$stage/CTETE.txt"
  (cd "$stage" && zip -q -X -D -9 "$DIST/$NAME-$arch.zip" zeltfw.exe CTETE.txt)
done

(cd "$DIST" && sha256sum "$NAME-x64.zip" "$NAME-x86.zip" "$NAME-x64/zeltfw.exe" "$NAME-x86/zeltfw.exe" >SHA256SUMS)
printf 'zeltfw %s\r\nsource: commit %s, %s\r\nzeltfw.exe (x64 and x86): %s\r\n' "$VERSION" "$COMMIT" \
  "$(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC')" "$SIGNED" >"$DIST/RELEASE.txt"

echo "== release in $DIST: zeltfw.exe $SIGNED"
(cd "$DIST" && ls -l "$NAME-x64.zip" "$NAME-x86.zip" && cat SHA256SUMS)
