#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks (Release) and runs them: the editor's
# open, save, merge, sort, row map and cell texts beside bare expat, libxml2 and pugixml, for
# 10,000, 100,000 and 1,000,000 records. Generated files are kept in $QUARN_BENCH_DIR
# (default /tmp/quarn-bench, about 1 GB). Extra arguments go to Google Benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh libbenchmark-dev libpugixml-dev libxml2-dev
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUARN_BUILD_BENCH=ON -DQUARN_WERROR=ON \
  -DQUARN_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench --parallel "$(nproc)"
build-bench/bench/quarn-bench "$@"
