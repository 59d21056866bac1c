#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs each from its corpus for a bounded time
# (FUZZ_SECONDS, default 30). A crash, a fault or a leak fails the run; the input that caused it is kept
# as build-fuzz/<target>-crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs="${JOBS:-$(nproc)}"
seconds="${FUZZ_SECONDS:-30}"
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
  -DFRAMESERVE_FUZZ=ON -DBUILD_TESTING=OFF -DFRAMESERVE_BENCHMARKS=OFF
cmake --build build-fuzz -j"$jobs" --target fuzz_targets

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
for corpus in tests/fuzz/corpus/*/; do
  target="$(basename "$corpus")"
  echo "fuzzing $target for ${seconds}s"
  # A scratch copy of the corpus: new inputs found on the way are not written into the source tree.
  scratch="build-fuzz/corpus-$target"
  rm -rf "$scratch" && mkdir -p "$scratch" && cp "$corpus"* "$scratch"/
  "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
    -artifact_prefix="build-fuzz/$target-" -print_final_stats=1 "$scratch"
done
