# shellcheck shell=sh
# Sourced by the scripts that read a package mirror (sh and bash alike).
# retry COMMAND [ARG...]: runs the command (a shell function too), and when it
# fails runs it again, up to four times in all, after 20, 60 and 120 seconds:
# a mirror being synchronised serves index files whose size does not match its
# Release file for a few minutes, and apt gives up on them. Returns the last
# attempt's status. RETRY_WAITS overrides the pauses.
retry() {
  retry_attempt=1
  for retry_pause in ${RETRY_WAITS-20 60 120} last; do
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
