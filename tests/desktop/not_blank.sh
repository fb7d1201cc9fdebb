#!/usr/bin/env bash
# Every PNG in the folder shows something: a window-sized picture with the
# many colours of antialiased text, not a flat or empty capture.
# Usage: not_blank.sh FOLDER [MIN_COUNT]
set -euo pipefail
FOLDER=$1
MIN_COUNT=${2:-1}
MIN_COLOURS=32

shopt -s nullglob
files=("$FOLDER"/*.png)
if [ ${#files[@]} -lt "$MIN_COUNT" ]; then
  echo "$FOLDER: ${#files[@]} screenshots, expected at least $MIN_COUNT"
  exit 1
fi
bad=0
for file in "${files[@]}"; do
  read -r width height colours < <(identify -format "%w %h %k\n" "$file" | head -n 1)
  if [ "$width" -lt 200 ] || [ "$height" -lt 100 ] || [ "$colours" -lt "$MIN_COLOURS" ]; then
    echo "$file: ${width}x${height}, $colours colours: blank or cut"
    bad=1
  fi
done
[ "$bad" -eq 0 ] && echo "${#files[@]} screenshots, none blank"
exit "$bad"
