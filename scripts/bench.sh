#!/usr/bin/env bash
# Builds and runs the decode benchmark: the plug-in's full decode of the
# largest tilesets against the read-and-copy floor and against stb_image.
# Extra arguments go to Google Benchmark (e.g. --benchmark_filter=Decode).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages cmake make g++ libbenchmark-dev libstb-dev

build=build/bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DBRACKENFOLD_TOOLS=OFF \
  -DBRACKENFOLD_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target decode_bench >/dev/null
"$build/bin/decode_bench" --benchmark_repetitions=7 --benchmark_report_aggregates_only=true "$@"
