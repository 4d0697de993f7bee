#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer),
# replays the seed corpus, then fuzzes each target for $1 seconds (default 60). New inputs
# go to build-fuzz/corpus-*; crashes to build-fuzz/crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/install-deps.sh clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUARN_FUZZ=ON -DQUARN_WERROR=ON -DQUARN_BUILD_GUI=OFF -DQUARN_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target fuzz_signal fuzz_open
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
for target in signal open; do
  fuzzer=build-fuzz/tests/fuzz/fuzz_$target
  seeds=tests/fuzz/corpus/$target
  "$fuzzer" -runs=0 "$seeds"/*             # replay every seed once
  work=build-fuzz/corpus-$target
  mkdir -p "$work"
  "$fuzzer" -max_total_time="$seconds" -artifact_prefix="build-fuzz/crash-$target-" \
    -print_final_stats=1 "$work" "$seeds" 2>&1 | tail -n 12
done
