#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build/fuzz) and gives each a bounded run from the
# seed corpus in tests/fuzz/corpus, both at once (one core each; FUZZ_JOBS=1: one core, one
# after the other). Fails on any crash, hang, leak or sanitizer report. FUZZ_SECONDS sets the
# time per target (default 60); FUZZ_BUILD_ONLY=1 only builds them.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$REPO_DIR"
seconds=${FUZZ_SECONDS:-60}
targets=(ini_fuzz index_fuzz)
cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DVELUMBRINO_FUZZ=ON >/dev/null
cmake --build build/fuzz -j"${FUZZ_JOBS:-2}" --target "${targets[@]}" >/dev/null
[ "${FUZZ_BUILD_ONLY:-0}" = 1 ] && exit 0
mkdir -p build/fuzz/artifacts
pids=()
for target in "${targets[@]}"; do
  # New inputs go to a scratch corpus; the seeds in the repository stay as they are.
  work=build/fuzz/corpus-$target
  mkdir -p "$work"
  build/fuzz/fuzz_targets/$target -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -artifact_prefix=build/fuzz/artifacts/$target- -print_final_stats=1 \
    "$work" tests/fuzz/corpus/$target >build/fuzz/$target.log 2>&1 &
  pids+=($!)
  # One core (FUZZ_JOBS=1): one after the other.
  if [ "${FUZZ_JOBS:-2}" = 1 ]; then wait "$!" || true; fi
done
status=0
results=()
for i in "${!targets[@]}"; do
  target=${targets[$i]}
  if wait "${pids[$i]}"; then
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
