#!/usr/bin/env bash
# Runs a Windows executable under the project's Wine environment (the test prefix unless
# WINEPREFIX is already set). Used by ctest as the cross-compiling emulator.
#
# The output goes through a file: processes Wine starts on the side (services, the tray's
# explorer) inherit the program's output handles and outlive it, and a caller reading a pipe
# (ctest) would wait for them forever.
source "$(dirname "$0")/common.sh"
export_wine_env "${WINEPREFIX:-$REPO_DIR/build/windows/wineprefix}"
output=$(mktemp)
trap 'rm -f "$output"' EXIT
"$WINE" "$@" >"$output" 2>&1 </dev/null
status=$?
cat "$output"
exit $status
