#!/usr/bin/env bash
# Runs a Windows executable under the project's Wine environment (the test prefix unless
# WINEPREFIX is already set). Used by ctest as the cross-compiling emulator.
source "$(dirname "$0")/common.sh"
export_wine_env "${WINEPREFIX:-$REPO_DIR/build/windows/wineprefix}"
exec "$WINE" "$@"
