#!/usr/bin/env bash
# Builds the fuzz targets with clang-14 (libFuzzer, AddressSanitizer, UBSan) and runs each for a
# bounded time: fuzz/run.sh [SECONDS_PER_TARGET] [TARGET...]. Not part of CI.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZTV_SANITIZE=ON -DZTV_BUILD_FUZZ=ON \
  -DZTV_BUILD_TESTS=OFF -DZTV_BUILD_BENCH=OFF -DZTV_BUILD_GUI=OFF > /dev/null
cmake --build build-fuzz -j2 > /dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(find build-fuzz/fuzz -maxdepth 1 -type f -executable -name '*_fuzz' -printf '%f\n' | sort)
fi
mkdir -p fuzz/out fuzz/crashes
for target in "${targets[@]}"; do
  corpus="fuzz/corpus/${target%_fuzz}"
  work="fuzz/out/${target%_fuzz}"
  mkdir -p "$work"
  seeds=()
  [ -d "$corpus" ] && seeds+=("$corpus")
  echo "== $target for ${seconds}s"
  "build-fuzz/fuzz/$target" -max_total_time="$seconds" -max_len=16384 -artifact_prefix="fuzz/crashes/${target}-" \
    "$work" "${seeds[@]}" 2>&1 | grep -E '^#[0-9]+ *DONE|Done [0-9]+ runs|ERROR|SUMMARY' || true
done
