#!/usr/bin/env bash
# Installs the dependencies, builds, and renders the demo script to out/demo.mkv and out/demo.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
mkdir -p out
build/bin/frameserve render examples/demo.fsc -o out/demo.mkv
build/bin/frameserve render examples/demo.fsc -o out/demo.png --start 50
echo "wrote out/demo.mkv and out/demo.png"
