#!/usr/bin/env bash
# Builds Velumbrino.exe and starts it under Wine, on $DISPLAY or on a private Xvfb.
set -euo pipefail
source "$(dirname "$0")/common.sh"
ensure_packages
ensure_locale
cd "$REPO_DIR"
build_preset windows

export_wine_env "$REPO_DIR/build/wineprefix-run"
prepare_wine_prefix shared
if [ -z "${DISPLAY:-}" ]; then
  ensure_display
  trap 'stop_display; "$WINESERVER" -k 2>/dev/null || true' EXIT
  echo "No display: running on a private Xvfb ($DISPLAY)."
  "$WINE" build/windows/dist/Velumbrino.exe &
  program=$!
  sleep 8
  import -window root build/run-screenshot.png
  echo "Screenshot saved to build/run-screenshot.png. Press Ctrl+C to stop the program."
  wait "$program"  # not the Xvfb started above, which runs until the trap stops it
else
  exec "$WINE" build/windows/dist/Velumbrino.exe
fi
