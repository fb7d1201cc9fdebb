#!/bin/sh
# A root of another Debian release (debootstrap, minbase) under
# build/debian-RELEASE, in which the project's scripts run as on a machine of
# that release: the repository at the same path, with the root's own build
# tree (build/debian-RELEASE/build) in place of build/. Made once and again
# when what it is made of changes (this script, the release, the mirror);
# packages are added to it as the scripts inside ask for them. Everything is
# mounted in a mount namespace of the command's own, so nothing stays mounted.
#   tools/scripts/debian-root.sh RELEASE --make [PACKAGE...]   make it, install the packages
#   tools/scripts/debian-root.sh RELEASE COMMAND [ARG...]      run the command in it, from the repository
# Needs root (or sudo), debootstrap, unshare and chroot; the mirror is the one
# the machine's apt sources name.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
[ $# -ge 2 ] || {
  echo "usage: debian-root.sh RELEASE --make [PACKAGE...] | debian-root.sh RELEASE COMMAND [ARG...]" >&2
  exit 2
}
release=$1
shift
here=$root/build/debian-$release
tree=$here/root
log=$here/make.log

fail() {
  echo "debian-root.sh ($release): $1" >&2
  [ ! -s "$log" ] || { echo "debian-root.sh: the last lines of $log:" >&2 && tail -n 15 "$log" >&2; }
  exit 1
}
as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
# What reads the mirror is tried again: a mirror mid-sync fails for minutes.
. "$root/tools/scripts/mirror.sh"
# step WHAT COMMAND...: the command's output goes to the log; a failure names WHAT.
step() {
  what=$1
  shift
  echo "== debian $release root: $what" >&2
  echo "== $what: $*" >>"$log"
  "$@" >>"$log" 2>&1 || fail "$what failed"
}

# The machine's Debian sources, their suites renamed for the release
# (bookworm-security becomes trixie-security, and so on).
host_release=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
[ -n "$host_release" ] || fail "/etc/os-release names no release"
mirrors=$("$root/tools/scripts/apt-mirrors.sh") || exit 1
sources=$(printf '%s\n' "$mirrors" | while IFS=';' read -r uri suites comps _; do
  uri=$(echo "$uri" | tr -d ' ')
  for suite in $suites; do
    case $suite in
      "$host_release" | "$host_release"-*) echo "deb $uri $release${suite#"$host_release"}$comps" ;;
    esac
  done
done)
mirror=$(printf '%s\n' "$sources" | awk -v r="$release" '$3 == r { print $2; exit }')
[ -n "$mirror" ] || fail "the machine's apt sources carry no mirror of $host_release to take $release from"
key="$release; $sources; $(cat "$0" | cksum)"

# In a private mount namespace: the kernel's file systems, a /tmp of its own,
# the repository with the root's build tree over build/; then the command.
# Inside a chroot (a root of this kind, say) the mounts cannot be made
# private, and need not be: they are not shared there.
propagation=private
as_root unshare --mount --propagation private true 2>/dev/null || propagation=unchanged
inside() {
  as_root unshare --mount --propagation "$propagation" sh -c '
    set -e
    tree=$1 repo=$2 builds=$3
    shift 3
    mount -t proc proc "$tree/proc"
    mount --rbind /dev "$tree/dev"
    mount --bind /sys "$tree/sys"
    mount -t tmpfs tmpfs "$tree/tmp"
    mkdir -p "$tree$repo" "$builds"
    mount --bind "$repo" "$tree$repo"
    mount --bind "$builds" "$tree$repo/build"
    cp /etc/resolv.conf "$tree/etc/resolv.conf"
    exec chroot "$tree" env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
      PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
      sh -c "cd \"\$0\" && exec \"\$@\"" "$repo" "$@"
  ' sh "$tree" "$root" "$here/build" "$@"
}

make_root() {
  mkdir -p "$here"
  exec 9>"$here/lock"
  flock 9
  if [ ! -f "$here/ready" ] || [ "$(cat "$here/ready")" != "$key" ]; then
    rm -f "$here/ready"
    : >"$log"
    command -v debootstrap >/dev/null 2>&1 || fail "debootstrap is missing (Debian: debootstrap)"
    command -v unshare >/dev/null 2>&1 || fail "unshare is missing (Debian: util-linux)"
    # A root made for other inputs, and its builds, go.
    as_root rm -rf "$tree" "$here/build"
    # debootstrap starts each attempt from an empty tree.
    step "debootstrap $release (minbase) from $mirror" retry as_root sh -c \
      'rm -rf "$1" && exec debootstrap --variant=minbase "$2" "$1" "$3"' sh "$tree" "$release" "$mirror"
    printf '%s\n' "$sources" | as_root tee "$tree/etc/apt/sources.list" >/dev/null
    # Packages install without starting services, as in any chroot.
    printf '#!/bin/sh\nexit 101\n' | as_root tee "$tree/usr/sbin/policy-rc.d" >/dev/null
    as_root chmod +x "$tree/usr/sbin/policy-rc.d"
    echo "== debian $release root: reading the package lists" >&2
    read_lists "the $release root" "$log" inside apt-get -q update
    echo "$key" >"$here/ready"
  fi
  if [ $# -gt 0 ]; then
    step "installing $*" retry inside env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@"
  fi
  flock -u 9
}

if [ "$1" = --make ]; then
  shift
  make_root "$@"
  exit 0
fi
[ -f "$here/ready" ] && [ "$(cat "$here/ready")" = "$key" ] || make_root
inside "$@"
