#!/usr/bin/env bash
# Builds both presets and runs every test: native unit tests, Win32 tests under Wine and the
# end-to-end tests of the real Velumbrino.exe under Wine and Xvfb, with the simulation and the
# fuzzers beside them.
set -euo pipefail
source "$(dirname "$0")/common.sh"
ensure_packages
ensure_locale
cd "$REPO_DIR"
# Each phase's wall time, printed at the end: where the run's minutes go.
phases=()
phase_start=$SECONDS
phase() { phases+=("$1 $((SECONDS - phase_start))s"); phase_start=$SECONDS; }

build_preset native
phase "build-native"
build_preset windows
phase "build-windows"
# The fuzzers build on one core, in the background, while Wine starts and the checks run.
FUZZ_BUILD_ONLY=1 FUZZ_JOBS=1 nice "$REPO_DIR/scripts/fuzz.sh" >/dev/null 2>&1 &
fuzz_build=$!

export_wine_env "$REPO_DIR/build/windows/wineprefix"
ensure_display
trap 'stop_display; "$WINESERVER" -k 2>/dev/null || true' EXIT
prepare_wine_prefix private
# One wineserver for the whole run: every Wine start after the first is then cheap. Its
# helper processes (services, devices) are started here, away from ctest's output pipes,
# which ctest would otherwise wait on for as long as they live.
"$WINESERVER" -p 2>/dev/null || true
"$WINE" wineboot >/dev/null 2>&1 </dev/null || true
phase "wine-prefix"

status=0
"$REPO_DIR/scripts/check_layers.sh" || status=1
"$REPO_DIR/scripts/check_imports.sh" build/windows/dist/Velumbrino.exe || status=1
ctest --preset native -E '^simulation$' || status=1
wait "$fuzz_build" || true  # a failed build shows again when fuzz.sh runs the fuzzers
phase "checks+unit+fuzz-build"
# The simulation (SIM_SECONDS, default 60) and the fuzzers (FUZZ_SECONDS each, default 60)
# run for fixed times and need no display: one after the other on one core, at a lower
# priority, while the Windows tests, which mostly wait on Wine, run on the other. The test
# run starts the simulation from a fixed seed so that it is repeatable; a hunt sets SIM_SEED.
background_log=build/background-tests.log
(
  result=0
  SIM_SEED="${SIM_SEED:-1}" nice "$REPO_DIR/build/native/simulation" || result=1
  FUZZ_JOBS=1 nice "$REPO_DIR/scripts/fuzz.sh" || result=1
  exit $result
) >"$background_log" 2>&1 &
background=$!
ctest --preset windows || status=1
phase "windows-ctest"
wait "$background" || status=1
cat "$background_log"
phase "simulation+fuzz-left"
echo "PHASES: ${phases[*]}"
echo "TEST RESULT: $([ $status -eq 0 ] && echo PASS || echo FAIL)"
exit $status
