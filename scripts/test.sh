#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test;
# then the Windows part: the programs cross-built with MinGW-w64, their Qt-free tests and
# ztv-tool.exe run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DZTV_SANITIZE=ON > /dev/null
cmake --build build-test -j2
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-test --output-on-failure -j2 --timeout 300

bash scripts/test-windows.sh build-test
