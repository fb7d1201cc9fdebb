#!/bin/sh
# Makes the world that runs the 32-bit Windows programs on a machine that
# cannot execute 32-bit code: Debian's i386 Wine, unpacked into a private root,
# run by the user-mode emulator qemu-i386 and served by the machine's own
# 64-bit wineserver. Nothing is installed for the system: the packages come
# through a private APT configuration (the mirror of the machine's own apt
# sources) and are unpacked with dpkg -x. Idempotent; everything lives under
# build/x86-wine, and a finished world is not made again.
#   tools/scripts/x86-wine.sh           makes it if needed, then prints the loader's path
#   tools/scripts/x86-wine.sh --check   only tells whether it is made (exit status)
# Needs: apt-get, dpkg, gcc (with -m32 code generation; no 32-bit libc needed),
# i686-w64-mingw32-strip, binutils' strip, the machine's wine64 (its
# wineserver and its version, which the i386 Wine must match).
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
here=$root/build/x86-wine
world=$here/root
loader=$world/usr/lib/wine/wine
# Wine's own libraries: i386-windows (the DLLs), i386-unix (their Unix side).
dlls=$world/usr/lib/i386-linux-gnu/wine
log=$here/setup.log

# What the world is made of; a change here or of the machine's Wine makes it again.
wine_version=$(dpkg-query -W -f='${Version}' wine64 2>/dev/null || true)
key="wine $wine_version; root $world; $(cat "$0" "$root/tools/scripts/x86-wine-trapno.c" "$root/tools/scripts/apt-mirrors.sh" | cksum)"

if [ "${1:-}" = "--check" ]; then
  [ -f "$here/ready" ] && [ "$(cat "$here/ready")" = "$key" ]
  exit
fi
if [ -f "$here/ready" ] && [ "$(cat "$here/ready")" = "$key" ]; then
  echo "$loader"
  exit 0
fi

logging=""
fail() {
  echo "x86-wine.sh: $1" >&2
  if [ -n "$logging" ] && [ -s "$log" ]; then
    echo "x86-wine.sh: the last lines of $log:" >&2
    tail -n 15 "$log" >&2
  fi
  exit 1
}
# step WHAT COMMAND...: runs the command with its output in the log; a failure names WHAT.
step() {
  what=$1
  shift
  echo "== x86 world: $what" >&2
  echo "== $what: $*" >>"$log"
  "$@" >>"$log" 2>&1 || fail "$what failed"
}

[ -n "$wine_version" ] || fail "the machine's wine64 is not installed (Debian: wine64); its wineserver serves the x86 programs"
[ -x /usr/lib/wine/wineserver64 ] || fail "/usr/lib/wine/wineserver64 is missing (Debian: wine64)"
for tool in apt-get dpkg gcc strip i686-w64-mingw32-strip flock; do
  command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing"
done
ldconfig=$(command -v ldconfig 2>/dev/null || echo /sbin/ldconfig)
[ -x "$ldconfig" ] || fail "ldconfig is missing"

mkdir -p "$here"
exec 9>"$here/lock"
flock 9
# Made meanwhile by another caller.
if [ -f "$here/ready" ] && [ "$(cat "$here/ready")" = "$key" ]; then
  echo "$loader"
  exit 0
fi
rm -f "$here/ready"
: >"$log"
logging=1

# --- The private APT configurations ---------------------------------------
# The mirror: the machine's own sources, read now.
mirrors=$here/mirrors
"$root/tools/scripts/apt-mirrors.sh" >"$mirrors" 2>>"$log" || fail "reading the machine's apt sources failed"

# config DIR ARCH: an APT configuration of its own: lists, cache, an empty
# dpkg status, one architecture, no system preferences.
config() {
  dir=$1
  mkdir -p "$dir/lists/partial" "$dir/archives/partial" "$dir/sources.d" "$dir/preferences.d" "$dir/cache"
  [ -f "$dir/status" ] || : >"$dir/status"
  {
    echo "Dir::State \"$dir\";"
    echo "Dir::State::Lists \"$dir/lists\";"
    echo "Dir::State::status \"$dir/status\";"
    echo "Dir::Cache \"$dir/cache\";"
    echo "Dir::Cache::archives \"$dir/archives\";"
    echo "Dir::Etc::SourceList \"$dir/sources.list\";"
    echo "Dir::Etc::SourceParts \"$dir/sources.d\";"
    echo "Dir::Etc::Preferences \"$dir/preferences\";"
    echo "Dir::Etc::PreferencesParts \"$dir/preferences.d\";"
    echo "APT::Architecture \"$2\";"
    echo "APT::Architectures { \"$2\"; };"
    echo "APT::Install-Recommends \"false\";"
    echo "Acquire::Languages \"none\";"
    # Root's downloads would otherwise go through the _apt user, who cannot write here.
    [ "$(id -u)" -ne 0 ] || echo "APT::Sandbox::User \"root\";"
  } >"$dir/apt.conf"
}

# The i386 packages: the release's suites as the machine has them.
config "$here/apt-i386" i386
# The emulator: the newest qemu-user of the release and its backports (on the
# same mirror as the release), whichever is higher: bookworm's own 7.2 spins
# for a minute of CPU in every emulated process, its backports' 10.0 does not.
config "$here/apt-backports" amd64
release=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
[ -n "$release" ] || fail "/etc/os-release names no release"
: >"$here/apt-i386/sources.list"
: >"$here/apt-backports/sources.list"
while IFS=';' read -r uri suites comps keyring; do
  uri=$(echo "$uri" | tr -d ' ')
  keyring=$(echo "$keyring" | tr -d ' ')
  signed=${keyring:+ signed-by=$keyring}
  for suite in $suites; do
    echo "deb [arch=i386$signed] $uri $suite $comps" >>"$here/apt-i386/sources.list"
    [ "$suite" != "$release" ] || printf 'deb [arch=amd64%s] %s %s %s\n' "$signed" "$uri" "$release" "$comps" \
      "$signed" "$uri" "$release-backports" "$comps" >>"$here/apt-backports/sources.list"
  done
done <"$mirrors"
[ -s "$here/apt-backports/sources.list" ] || fail "no apt source carries the release $release"
# Backports are not taken unless asked for: here they count as the release.
printf 'Package: *\nPin: release n=%s-backports\nPin-Priority: 500\n' "$release" >"$here/apt-backports/preferences"

apt_i386() { APT_CONFIG=$here/apt-i386/apt.conf apt-get -q -o Debug::NoLocking=true "$@"; }
apt_backports() { APT_CONFIG=$here/apt-backports/apt.conf apt-get -q -o Debug::NoLocking=true "$@"; }

# What reads the mirror is tried again: a mirror mid-sync fails for minutes.
. "$root/tools/scripts/mirror.sh"
echo "== x86 world: reading the package lists" >&2
read_lists "the x86 world (i386)" "$log" apt_i386 update
read_lists "the x86 world ($release and $release-backports)" "$log" apt_backports update

# --- Downloads ------------------------------------------------------------
# Wine for i386 at the machine's version (the 64-bit wineserver serves its
# clients only with the same protocol), with everything it depends on, and
# the X client libraries it loads at run time.
x_libraries="libx11-6 libxext6 libxcomposite1 libxcursor1 libxfixes3 libxi6 libxinerama1 libxrandr2 libxrender1
  libxxf86vm1 libdbus-1-3"
# shellcheck disable=SC2086
step "downloading Wine $wine_version for i386" retry apt_i386 install -y --download-only \
  "wine32:i386=$wine_version" "libwine:i386=$wine_version" $x_libraries
mkdir -p "$here/qemu"
rm -f "$here"/qemu/*.deb
qemu_version=$(APT_CONFIG=$here/apt-backports/apt.conf apt-cache policy qemu-user 2>/dev/null |
  sed -n 's/^ *Candidate: *\([^ ]*\)$/\1/p' | grep -v '^(none)$' || true)
[ -n "$qemu_version" ] || fail "neither $release nor $release-backports has qemu-user"
step "downloading qemu-user $qemu_version" retry \
  sh -c "cd '$here/qemu' && APT_CONFIG='$here/apt-backports/apt.conf' apt-get -q download qemu-user=$qemu_version"

# --- The emulator ---------------------------------------------------------
# Only qemu-i386 is kept out of the package's many targets.
rm -rf "$here/qemu/unpacked"
step "unpacking qemu-i386" dpkg -x "$(ls "$here"/qemu/qemu-user_*.deb | head -n 1)" "$here/qemu/unpacked"
[ -x "$here/qemu/unpacked/usr/bin/qemu-i386" ] || fail "the qemu-user package has no qemu-i386"
mv "$here/qemu/unpacked/usr/bin/qemu-i386" "$here/qemu-i386"
rm -rf "$here/qemu/unpacked" "$here"/qemu/*.deb
step "starting qemu-i386" "$here/qemu-i386" --version

# --- The private root -----------------------------------------------------
rm -rf "$world"
mkdir -p "$world"
count=$(ls "$here"/apt-i386/archives/*.deb | wc -l)
step "unpacking $count packages into $world" sh -c \
  "for deb in '$here'/apt-i386/archives/*.deb; do dpkg -x \"\$deb\" '$world' || exit 1; done"
[ -x "$world/usr/lib/wine/wine" ] || fail "the unpacked wine32 has no loader usr/lib/wine/wine"

# What the maintainer scripts and the system would have done:
# 1. libwine's post-installation step: zlib1.dll as a Wine builtin DLL (the
#    32-byte stamp at file offset 64).
zlib=$world/usr/i686-w64-mingw32/lib/zlib1.dll
[ -f "$zlib" ] || fail "zlib1.dll for i686 is not in the root (Debian: libz-mingw-w64)"
[ -d "$dlls/i386-windows" ] || fail "the unpacked Wine has no $dlls/i386-windows"
cp "$zlib" "$dlls/i386-windows/zlib1.dll"
{
  printf 'Wine builtin DLL'
  head -c 16 /dev/zero
} | dd of="$dlls/i386-windows/zlib1.dll" bs=1 seek=64 conv=notrunc 2>>"$log" || fail "stamping zlib1.dll failed"
# 2. The root's own library cache, so the emulated ld.so does not take the
#    machine's cache and mix in its 32-bit libc.
echo 'include /etc/ld.so.conf.d/*.conf' >"$world/etc/ld.so.conf"
step "making the root's library cache" "$ldconfig" -r "$world"
# 3. The machine's fonts, as the x64 runs see them.
rm -rf "$world/usr/share/fonts"
# 4. The trap number qemu-user leaves at -1: a preloaded wrapper fills it in.
libc=$world/lib/i386-linux-gnu/libc.so.6
[ -f "$libc" ] || libc=$world/usr/lib/i386-linux-gnu/libc.so.6
[ -f "$libc" ] || fail "the root has no i386 libc.so.6"
mkdir -p "$world/usr/lib/zelt"
step "building the trap-number shim" gcc -m32 -O2 -fPIC -shared -nostdlib -ffreestanding -fno-stack-protector \
  -Wall -Wextra -Werror -o "$world/usr/lib/zelt/trapno.so" "$root/tools/scripts/x86-wine-trapno.c" "$libc"
echo /usr/lib/zelt/trapno.so >"$world/etc/ld.so.preload"

# The DLLs' and Wine's own libraries' debug information (most of the root and
# of every prefix made from it); Wine's builtin stamp stays.
step "stripping the Windows DLLs' debug information" sh -c \
  "find '$dlls/i386-windows' -type f ! -name '*16' -exec i686-w64-mingw32-strip --strip-debug {} +"
step "stripping Wine's Unix libraries' debug information" sh -c \
  "find '$dlls/i386-unix' -type f -name '*.so' -exec strip --strip-debug {} +"
stamp=$(dd if="$dlls/i386-windows/user32.dll" bs=1 skip=64 count=16 2>/dev/null || true)
[ "$stamp" = "Wine builtin DLL" ] || fail "stripping lost Wine's builtin stamp (user32.dll)"

# One wrapper does the exec'ing: Wine starts every process through its
# loader, and the kernel runs scripts but not i386 programs.
mv "$loader" "$loader.bin"
cat >"$loader" <<EOF
#!/bin/sh
# Made by tools/scripts/x86-wine.sh: the i386 Wine loader, run by the emulator.
exec "$here/qemu-i386" -L "$world" -0 "\$0" "$loader.bin" "\$@"
EOF
chmod +x "$loader"

# The loader starts under the emulator with the shim preloaded.
"$loader" --version >"$here/check.out" 2>"$here/check.err" || fail "the x86 Wine loader does not start: $(cat "$here/check.err")"
grep -q "^wine-" "$here/check.out" || fail "the x86 Wine loader does not say its version: $(cat "$here/check.out")"
! grep -q "preload" "$here/check.err" || fail "the trap-number shim does not load: $(cat "$here/check.err")"
rm -f "$here/check.out" "$here/check.err"

du -sh "$world" >>"$log" 2>&1 || true
echo "$key" >"$here/ready"
echo "== x86 world: ready ($(du -sh "$world" 2>/dev/null | cut -f1) in $world)" >&2
echo "$loader"
