#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build/fuzz) and gives each a bounded run from the
# seed corpus in tests/fuzz/corpus. Fails on any crash, hang, leak or sanitizer report.
# FUZZ_SECONDS sets the time per target (default 60).
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$REPO_DIR"
seconds=${FUZZ_SECONDS:-60}
cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DVELUMBRINO_FUZZ=ON >/dev/null
cmake --build build/fuzz -j2 --target ini_fuzz index_fuzz >/dev/null
status=0
results=()
for target in ini_fuzz index_fuzz; do
  # New inputs go to a scratch corpus; the seeds in the repository stay as they are.
  work=build/fuzz/corpus-$target
  mkdir -p "$work" build/fuzz/artifacts
  if build/fuzz/fuzz_targets/$target -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=65536 -artifact_prefix=build/fuzz/artifacts/$target- -print_final_stats=1 \
      "$work" tests/fuzz/corpus/$target >build/fuzz/$target.log 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' build/fuzz/$target.log | grep -o '[0-9]*$')
    results+=("$target ok (${runs:-?} runs)")
  else
    tail -40 build/fuzz/$target.log
    results+=("$target FAILED (see build/fuzz/$target.log and build/fuzz/artifacts)")
    status=1
  fi
done
echo "FUZZ RESULT: $([ $status -eq 0 ] && echo PASS || echo FAIL) - ${results[*]}"
exit $status
