#!/usr/bin/env bash
# The test command's release checks, on the last commit:
#  1. two releases (tools/scripts/release.sh) from two clean clones in
#     different folders, one after the other, are byte for byte the same; on a
#     difference it names the file and its first differing offset;
#  2. what a release holds: SHA256SUMS holds, each zip has zeltfw.exe and
#     CTETE.txt in that order, CTETE.txt is the read-me in Windows-1250 with
#     CRLF, and the x64 exe is the one the Wine tests ran (build/mingw-x64);
#  3. signing: a throwaway self-signed certificate made with openssl, the
#     release signed with it, `osslsigncode verify` on both exes, and the
#     signed x64 exe playing a whole wizard run under Wine (zelt-play).
# Prints the time each part took.
#   tools/scripts/check-release.sh
source "$(dirname "$0")/lib.sh"

ensure_packages git zip unzip openssl osslsigncode cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix \
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 wine wine64 xvfb fonts-liberation fonts-wine
COMMIT=$(git -C "$ROOT" rev-parse HEAD)
TMP=$(mktemp -d /tmp/zeltfw-release.XXXXXX)
trap 'rm -rf "$TMP"' EXIT
fail() {
  echo "check-release: $*" >&2
  exit 1
}
since() { echo "$(($(date +%s) - $1)) s"; }

# A release from a fresh clone of the commit at FOLDER, into FOLDER/dist. The
# commit is fetched as HEAD: it need not be on a branch (a detached checkout).
release_from_clone() {
  git clone -q --no-checkout "$ROOT" "$1"
  git -C "$1" fetch -q "$ROOT" HEAD
  git -C "$1" checkout -q --detach FETCH_HEAD
  [ "$(git -C "$1" rev-parse HEAD)" = "$COMMIT" ] || fail "the clone in $1 is not at $COMMIT"
  "$1/tools/scripts/release.sh" >"$1.log" 2>&1 || { cat "$1.log" >&2; fail "the release in $1 failed"; }
}

# Every file of both trees, byte for byte.
same_trees() {
  local a=$1 b=$2 files
  files=$(cd "$a" && find . -type f | LC_ALL=C sort)
  if [ "$files" != "$(cd "$b" && find . -type f | LC_ALL=C sort)" ]; then
    diff <(cd "$a" && find . -type f | LC_ALL=C sort) <(cd "$b" && find . -type f | LC_ALL=C sort) >&2 || true
    fail "the two releases hold different files"
  fi
  local differing=0 f first size_a size_b
  for f in $files; do
    cmp -s "$a/$f" "$b/$f" && continue
    differing=1
    size_a=$(stat -c %s "$a/$f")
    size_b=$(stat -c %s "$b/$f")
    # cmp -l counts from 1; nothing listed: one file is the start of the other.
    first=$(cmp -l "$a/$f" "$b/$f" 2>/dev/null | head -n 1 | awk '{print $1 - 1}' || true)
    [ -n "$first" ] || first=$((size_a < size_b ? size_a : size_b))
    printf 'DIFFERENT: %s: first difference at offset %d (0x%x); sizes %d and %d\n' "${f#./}" "$first" "$first" \
      "$size_a" "$size_b" >&2
  done
  [ "$differing" -eq 0 ] || fail "the two releases differ"
}

start=$(date +%s)
echo "== two releases of $COMMIT from clean clones"
release_from_clone "$TMP/first/zeltfw"
sleep 2 # a later second for certain, should anything still take the time
release_from_clone "$TMP/second/another/folder/zeltfw"
for dist in "$TMP/first/zeltfw/dist" "$TMP/second/another/folder/zeltfw/dist"; do
  echo "-- $dist"
  (cd "$dist" && stat -c '%s bytes  %n' ./*.zip && cat SHA256SUMS)
done
same_trees "$TMP/first/zeltfw/dist" "$TMP/second/another/folder/zeltfw/dist"
DIST=$TMP/second/another/folder/zeltfw/dist
echo "   the same bytes ($(since "$start"))"

part=$(date +%s)
VERSION=$(cmake -P "$ROOT/cmake/ZeltVersion.cmake")
NAME=zeltfw-$VERSION-windows
(cd "$DIST" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not hold"
grep -q 'not signed' "$DIST/RELEASE.txt" || fail "RELEASE.txt does not say the exes are not signed"
for arch in x64 x86; do
  zip=$DIST/$NAME-$arch.zip
  [ "$(unzip -Z1 "$zip" | tr '\n' ' ')" = "zeltfw.exe CTETE.txt " ] || fail "$zip holds $(unzip -Z1 "$zip" | tr '\n' ' ')"
  unzip -p "$zip" zeltfw.exe | cmp -s - "$DIST/$NAME-$arch/zeltfw.exe" || fail "$zip: zeltfw.exe is not the listed one"
  osslsigncode verify -in "$DIST/$NAME-$arch/zeltfw.exe" >/dev/null 2>&1 && fail "$arch: an unsigned release is signed"
  unzip -p "$zip" CTETE.txt >"$TMP/CTETE.txt"
  [ "$(grep -c $'\r$' "$TMP/CTETE.txt")" -eq "$(wc -l <"$TMP/CTETE.txt")" ] || fail "$zip: CTETE.txt has lines without CRLF"
  iconv -f WINDOWS-1250 -t UTF-8 "$TMP/CTETE.txt" | tr -d '\r' | cmp -s - "$ROOT/res/CTETE.txt" ||
    fail "$zip: CTETE.txt is not res/CTETE.txt in Windows-1250"
done
tested=$ROOT/build/mingw-x64/zeltfw.exe
if [ -z "$(git -C "$ROOT" status --porcelain --untracked-files=no)" ] && [ -f "$tested" ]; then
  cmp -s "$tested" "$DIST/$NAME-x64/zeltfw.exe" || fail "the released x64 zeltfw.exe is not the one the Wine tests ran"
  echo "   the released x64 zeltfw.exe is the one the Wine tests ran"
else
  echo "   (uncommitted changes or no build/mingw-x64: not compared with the exe the Wine tests ran)"
fi
echo "   contents hold ($(since "$part"))"

part=$(date +%s)
echo "== signing with a throwaway self-signed certificate"
openssl req -x509 -newkey rsa:2048 -sha256 -nodes -days 2 -subj "/CN=zeltfw throwaway test certificate" \
  -addext "extendedKeyUsage=codeSigning" -keyout "$TMP/key.pem" -out "$TMP/cert.pem" 2>/dev/null
head -c 24 /dev/urandom | base64 >"$TMP/password"
openssl pkcs12 -export -inkey "$TMP/key.pem" -in "$TMP/cert.pem" -out "$TMP/cert.pfx" -passout "file:$TMP/password"
SIGNED=$TMP/signed
(cd "$TMP/second/another/folder/zeltfw" &&
  ZELT_SIGN_PFX=$TMP/cert.pfx ZELT_SIGN_PASS_FILE=$TMP/password tools/scripts/release.sh "$SIGNED" >"$TMP/signed.log" 2>&1) ||
  { cat "$TMP/signed.log" >&2; fail "the signed release failed"; }
grep -q 'signed (Authenticode, SHA-256) by CN = zeltfw throwaway test certificate' "$SIGNED/RELEASE.txt" ||
  fail "RELEASE.txt does not name the signer: $(cat "$SIGNED/RELEASE.txt")"
(cd "$SIGNED" && sha256sum --quiet -c SHA256SUMS) || fail "the signed release's SHA256SUMS does not hold"
for arch in x64 x86; do
  exe=$SIGNED/$NAME-$arch/zeltfw.exe
  unzip -p "$SIGNED/$NAME-$arch.zip" zeltfw.exe | cmp -s - "$exe" || fail "$arch: the zip does not hold the signed exe"
  echo "-- osslsigncode verify ($arch)"
  osslsigncode verify -CAfile "$TMP/cert.pem" -in "$exe" || fail "$arch: the signature does not verify"
  # Signing adds the signature and changes nothing else.
  osslsigncode remove-signature -in "$exe" -out "$TMP/unsigned-$arch.exe" >/dev/null
  cmp -s "$TMP/unsigned-$arch.exe" "$DIST/$NAME-$arch/zeltfw.exe" || fail "$arch: without its signature the exe differs"
done
echo "-- the signed x64 zeltfw.exe under Wine: a whole wizard run"
BUILD=$ROOT/build/mingw-x64
[ -f "$BUILD/zelt-play.exe" ] && [ -f "$BUILD/zelt-bus-install.exe" ] || {
  cmake --preset mingw-x64 -S "$ROOT" >/dev/null
  cmake --build "$BUILD" --target zelt-play -j "$JOBS" >/dev/null
}
"$ROOT/tests/windows/wine-run.sh" "$BUILD/wineprefix" --camera-bus --display "$BUILD/zelt-play.exe" \
  --exe "$("$ROOT/tests/windows/wine-run.sh" "$BUILD/wineprefix" winepath.exe -w "$SIGNED/$NAME-x64/zeltfw.exe" | tr -d '\r')" \
  "$ROOT/tests/scenarios/wizard/person_zelt_run.zsc" || fail "the signed zeltfw.exe did not play the wizard run"
echo "   signing round trip holds ($(since "$part"))"
echo "== release checks: $(since "$start")"
