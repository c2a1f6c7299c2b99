#!/usr/bin/env bash
# Fails when a file under src/ includes a file of a higher layer. The layers, lowest first:
# store < platform < alarm, dialogs < note < shell; a file includes its own layer or lower ones.
set -euo pipefail
cd "$(dirname "$0")/.."

rank() {
  case $1 in
    store) echo 0 ;;
    platform) echo 1 ;;
    alarm | dialogs) echo 2 ;;
    note) echo 3 ;;
    shell) echo 4 ;;
    *) echo -1 ;;
  esac
}

status=0
while IFS=: read -r file _ include; do
  own=$(rank "$(echo "$file" | cut -d/ -f2)")
  other=$(rank "$(echo "$include" | sed -E 's/.*#include "([a-z_]+)\/.*/\1/')")
  if [ "$own" -ge 0 ] && [ "$other" -gt "$own" ]; then
    echo "layer check: $file includes ${include#*#include } from a higher layer" >&2
    status=1
  fi
done < <(grep -rnE '^\s*#\s*include "[a-z_]+/' src --include='*.h' --include='*.cpp')
[ $status -eq 0 ] && echo "layer check: no include runs up the layers"
exit $status
