#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test again; the
# first fault or leak ends the run with an error.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs="${JOBS:-$(nproc)}"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFRAMESERVE_SANITIZE=ON -DFRAMESERVE_BENCHMARKS=OFF
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
ctest --test-dir build-asan --output-on-failure -j"$jobs"
