# shellcheck shell=sh
# Sourced by the scripts that read a package mirror (sh and bash alike).

# retry COMMAND [ARG...]: runs the command (a shell function too), and when it
# fails runs it again, up to three times in all, after 15 and 45 seconds: a
# mirror being synchronised serves index files whose size does not match its
# Release file for a while, and apt gives up on them. Returns the last
# attempt's status. RETRY_WAITS overrides the pauses.
retry() {
  retry_attempt=1
  for retry_pause in ${RETRY_WAITS-15 45} last; do
    retry_status=0
    "$@" || retry_status=$?
    [ "$retry_status" -ne 0 ] || return 0
    [ "$retry_pause" != last ] || break
    echo "retry: '$*' failed (status $retry_status, attempt $retry_attempt); again in $retry_pause s" >&2
    sleep "$retry_pause"
    retry_attempt=$((retry_attempt + 1))
  done
  echo "retry: '$*' failed $retry_attempt times; giving up" >&2
  return "$retry_status"
}

# read_lists WHAT LOG COMMAND [ARG...]: the apt-get update COMMAND, its output
# added to LOG, retried. A mirror can also serve one index broken for hours
# (seen: bookworm-security's i386 list, another size than its Release file
# says): apt keeps every list it did read, so the scripts go on with those,
# warning which failed; a package only the missing list has then fails the
# install that follows, under its own name.
read_lists() {
  read_lists_what=$1 read_lists_log=$2
  shift 2
  read_lists_output=$(mktemp)
  read_lists_status=0
  retry "$@" >"$read_lists_output" 2>&1 || read_lists_status=$?
  cat "$read_lists_output" >>"$read_lists_log"
  if [ "$read_lists_status" -ne 0 ]; then
    echo "warning: $read_lists_what: some package lists could not be read; going on with the others:" >&2
    grep '^E: Failed to fetch' "$read_lists_output" | sed 's/^E: Failed to fetch \([^ ]*\) *\(.*\)/  \1: \2/' |
      sort -u | tail -n 5 >&2
  fi
  rm -f "$read_lists_output"
}
