#!/bin/sh
# Prints the Debian sources of this machine's apt configuration, one line
# each: URI ; SUITES ; COMPONENTS ; KEYRING (the keyring may be empty). Read
# from the deb822 file Debian writes (debian.sources), else from the one-line
# sources.list, so that private package roots use the mirror the machine
# uses, never one written into the repository. Exit 1 when none is found.
set -eu
sources_file=/etc/apt/sources.list.d/debian.sources
if [ -f "$sources_file" ]; then
  found=$(awk '
    function flush() {
      if (binary && enabled && uris != "" && suites != "") print uris " ; " suites " ; " comps " ; " key
      uris = ""; suites = ""; comps = ""; key = ""; binary = 0; enabled = 1
    }
    BEGIN { enabled = 1 }
    /^Types:/ { binary = ($0 ~ /[[:space:]]deb([[:space:]]|$)/) }
    /^Enabled:[[:space:]]*no/ { enabled = 0 }
    /^[[:space:]]*$/ { flush(); next }
    /^URIs:/ { sub(/^URIs:[[:space:]]*/, ""); uris = $1 }
    /^Suites:/ { sub(/^Suites:[[:space:]]*/, ""); suites = $0 }
    /^Components:/ { sub(/^Components:[[:space:]]*/, ""); comps = $0 }
    /^Signed-By:/ { sub(/^Signed-By:[[:space:]]*/, ""); key = $1 }
    END { flush() }' "$sources_file")
elif [ -f /etc/apt/sources.list ]; then
  found=$(sed -n 's/^deb[[:space:]]\{1,\}\([a-z]*:[^[:space:]]*\)[[:space:]]\{1,\}\([^[:space:]]*\)[[:space:]]\{1,\}\(.*\)$/\1 ; \2 ; \3 ; /p' \
    /etc/apt/sources.list)
else
  echo "apt-mirrors.sh: no apt sources found (/etc/apt/sources.list.d/debian.sources or /etc/apt/sources.list)" >&2
  exit 1
fi
if [ -z "$found" ]; then
  echo "apt-mirrors.sh: the machine's apt sources name no Debian mirror" >&2
  exit 1
fi
printf '%s\n' "$found"
