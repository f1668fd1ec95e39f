#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer on) and
# runs each for a fixed time, starting from its regression corpus in fuzz/corpus/<target>/.
#
#   scripts/fuzz.sh                 # 30 seconds per target (what CI runs)
#   scripts/fuzz.sh 3600            # an hour per target
#   scripts/fuzz.sh 600 export      # one target
#
# New corpus entries go to build-fuzz/corpus/<target>/, crashes to build-fuzz/artifacts/; copy an
# input that found a bug into fuzz/corpus/<target>/ once the bug is mended.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(number_text design_load export design_link job_text)

if ! command -v clang++ >/dev/null; then
  echo "clang++ is not installed: skipping the fuzz targets"
  exit 0
fi

build=${ZORBAL_FUZZ_BUILD_DIR:-build-fuzz}
# The g++ builds of scripts/test.sh hold warnings as errors; clang warns about other things, so
# here they are shown but do not stop the fuzzing.
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORBAL_BUILD_GUI=OFF \
  -DZORBAL_BUILD_FUZZ=ON -DZORBAL_SANITIZE=ON -DBUILD_TESTING=OFF -DZORBAL_BUILD_BENCH=OFF \
  -DZORBAL_WARNINGS_AS_ERRORS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
mkdir -p "$build/artifacts"
for target in "${targets[@]}"; do
  # A design file is a few hundred bytes; exports need room for several rows of cells.
  case $target in
    number_text) max_len=64 ;;
    design_load) max_len=2048 ;;
    design_link) max_len=4096 ;;
    job_text) max_len=4096 ;;
    *) max_len=1024 ;;
  esac
  mkdir -p "$build/corpus/$target"
  echo "== fuzzing $target for $seconds s"
  log="$build/artifacts/$target.log"
  status=0
  "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -max_len="$max_len" -timeout=20 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
    "$build/corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)|DONE' "$log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log" >&2
    echo "fuzz target $target failed: see $log and $build/artifacts/" >&2
    exit 1
  fi
done
