#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer),
# replays the seed corpus, then fuzzes each target for $1 seconds (default 60). New inputs
# go to build-fuzz/corpus-*; crashes to build-fuzz/crash-*. The targets mutate with the
# tokens of tests/fuzz/signal.dict.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/install-deps.sh clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUARN_FUZZ=ON -DQUARN_WERROR=ON -DQUARN_BUILD_GUI=OFF -DQUARN_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target fuzz_signal fuzz_open fuzz_import
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
for target in signal open import; do
  fuzzer=build-fuzz/tests/fuzz/fuzz_$target
  seeds=tests/fuzz/corpus/$target
  "$fuzzer" -runs=0 "$seeds"/*             # replay every seed once
  work=build-fuzz/corpus-$target
  mkdir -p "$work"
  log=build-fuzz/fuzz-$target.log
  if ! "$fuzzer" -max_total_time="$seconds" -dict=tests/fuzz/signal.dict \
    -artifact_prefix="build-fuzz/crash-$target-" -print_final_stats=1 "$work" "$seeds" >"$log" 2>&1; then
    # The finding with its reason, and the input that made it, for a log that is all one has.
    grep -v -E '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse|INITED)' "$log" | tail -n 80
    for crash in build-fuzz/crash-"$target"-*; do
      [ -e "$crash" ] && { echo "== $crash"; od -A d -c "$crash" | head -n 60; }
    done
    exit 1
  fi
  tail -n 12 "$log"
done
