#!/usr/bin/env bash
# Builds what the benchmarks need and prints their table. Benchmarks measure; they never fail
# on time. Runs under Wine in its own prefix (build/windows/wineprefix-bench) and display;
# restore is printed beside its floor (bench/floor_win.cpp: bare note-shaped windows).
# BENCH_IDLE_SECONDS sets the idle measurement (default 60); BENCH_ONLY=soak runs the soak alone.
set -euo pipefail
source "$(dirname "$0")/common.sh"
ensure_packages
cd "$REPO_DIR"
build_preset windows >/dev/null
cmake --build --preset windows --target bench floor >/dev/null
export_wine_env "$REPO_DIR/build/windows/wineprefix-bench"
unset DISPLAY
ensure_display
trap 'stop_display; "$WINESERVER" -k 2>/dev/null || true' EXIT
prepare_wine_prefix private
"$WINESERVER" -p 2>/dev/null || true
"$WINE" wineboot >/dev/null 2>&1 </dev/null || true

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "Wine: $("$WINE" --version 2>/dev/null)"
echo
if [ "${BENCH_ONLY:-}" != soak ]; then
  scratch="Z:$(echo "$REPO_DIR/build/bench-scratch" | tr / '\\')\\"
  rm -rf build/bench-scratch && mkdir -p build/bench-scratch
  "$WINE" build/windows/bench.exe settings "$scratch" </dev/null
  for n in 100 1000; do "$WINE" build/windows/bench.exe exit-save "$scratch" $n </dev/null; done
  python3 bench/program_bench.py
fi
python3 bench/soak.py
