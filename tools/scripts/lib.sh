# Shared by the run and test scripts: package installation and builds.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
JOBS=$(nproc 2>/dev/null || echo 2)

# What reads the mirror is tried again (retry): a mirror mid-sync fails for minutes.
# shellcheck source=mirror.sh
. "$ROOT/tools/scripts/mirror.sh"

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the Debian packages that are missing; apt-get update only when needed.
ensure_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "== installing: ${missing[*]}"
    read_lists "the machine" /dev/stderr as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    retry as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

# Configures and builds a CMake preset.
build_preset() {
  local preset=$1
  shift
  echo "== building $preset"
  cmake --preset "$preset" -S "$ROOT" "$@" >/dev/null
  cmake --build "$ROOT/build/$preset" -j "$JOBS"
}

# Whether a Debian package is installed.
installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# The clang for the fuzz targets: the highest version installed together with
# its runtime library (clang-N with libclang-rt-N-dev), else the release's
# default (the version its package clang depends on).
clang_version() {
  local version best=""
  for version in $(ls /usr/bin 2>/dev/null | sed -n 's/^clang-\([0-9][0-9]*\)$/\1/p' | sort -n); do
    if installed "libclang-rt-$version-dev"; then best=$version; fi
  done
  if [ -z "$best" ]; then
    apt-cache show clang >/dev/null 2>&1 || read_lists "the machine" /dev/stderr as_root apt-get update -qq
    best=$(apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -n 1)
  fi
  [ -n "$best" ] || { echo "no clang version found among the installed or the release's packages" >&2; return 1; }
  echo "$best"
}

# The Debian release this machine runs (bookworm, trixie, ...).
host_release() {
  (. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
}

# What each part of the build needs, by the names both releases give them.
PACKAGES_BUILD="cmake make g++ googletest libgtest-dev"
PACKAGES_WINDOWS_X64="g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb fonts-liberation fonts-wine gcc"
PACKAGES_WINDOWS_X86="g++-mingw-w64-i686-posix binutils-mingw-w64-i686"
