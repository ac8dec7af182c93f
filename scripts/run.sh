#!/usr/bin/env bash
# Builds the program and starts it with the built-in simulated controller, so that it can be
# tried without hardware. Without a display it runs offscreen and saves a picture instead.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DZTV_BUILD_TESTS=OFF -DZTV_BUILD_BENCH=OFF > /dev/null
cmake --build build -j2
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/ztv-setup --simulate "$@"
fi
picture="$PWD/build/ztv-setup-screenshot.png"
echo "No display found: running offscreen with the simulated controller for a few seconds."
QT_QPA_PLATFORM=offscreen ./build/ztv-setup --simulate --page terminal --screenshot "$picture" --after 4000 "$@"
echo "The main window is pictured in $picture"
