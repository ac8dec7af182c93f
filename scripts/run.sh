#!/usr/bin/env bash
# Builds the program and runs its main job.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DZTV_BUILD_TESTS=OFF -DZTV_BUILD_BENCH=OFF > /dev/null
cmake --build build -j2
./build/ztv-tool dump samples/demo.ZTV
