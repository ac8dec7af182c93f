#!/usr/bin/env bash
# Builds the fuzz targets with clang-14 (libFuzzer, AddressSanitizer, UBSan; the core libraries
# instrumented for coverage too) and runs each for a bounded time, one process per target:
#   fuzz/run.sh [SECONDS_PER_TARGET] [TARGET...]
# Prints one line per target: runs, executions per second, coverage (edges) and findings (crash,
# leak, timeout or out-of-memory inputs, saved under fuzz/crashes/). Not part of CI. Needs the
# Debian packages clang-14 and libclang-rt-14-dev.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZTV_SANITIZE=ON -DZTV_BUILD_FUZZ=ON \
  -DZTV_BUILD_TESTS=OFF -DZTV_BUILD_BENCH=OFF -DZTV_BUILD_GUI=OFF "${launcher[@]}" > /dev/null
cmake --build build-fuzz -j2 > /dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(find build-fuzz/fuzz -maxdepth 1 -type f -executable -name '*_fuzz' -printf '%f\n' | sort)
fi
mkdir -p fuzz/out fuzz/crashes
printf '%-22s %12s %10s %8s %9s\n' target runs exec/s cov findings
total_findings=0
for target in "${targets[@]}"; do
  name="${target%_fuzz}"
  work="fuzz/out/$name"
  log="fuzz/out/$name.log"
  mkdir -p "$work"
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds+=("fuzz/corpus/$name")
  # The parse-only target is there for speed: short inputs keep it near ten thousand a second,
  # and a configuration's lines parse alike whether there are ten of them or a thousand.
  max_len=16384
  [ "$target" = config_parse_fuzz ] && max_len=512
  before=$(find fuzz/crashes -name "${target}-*" | wc -l)
  "build-fuzz/fuzz/$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="fuzz/crashes/${target}-" "$work" "${seeds[@]}" > "$log" 2>&1 || true
  after=$(find fuzz/crashes -name "${target}-*" | wc -l)
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo '?')
  findings=$((after - before))
  total_findings=$((total_findings + findings))
  printf '%-22s %12s %10s %8s %9s\n' "$target" "$runs" "$rate" "$cov" "$findings"
done
exit $((total_findings > 0 ? 1 : 0))
