#!/usr/bin/env bash
# Builds the benchmarks in bench/ (Release, with the Qt layer), runs them and writes
# docs/performance.md: each figure the issues set a target for, the target, the result and the
# machine it ran on. Takes a few minutes; run it on an otherwise idle machine.
#
#   scripts/performance.sh              # build in build-perf, write docs/performance.md
#   ZORBAL_PERF_BUILD_DIR=/tmp/b scripts/performance.sh
set -euo pipefail
cd "$(dirname "$0")/.."

build=${ZORBAL_PERF_BUILD_DIR:-build-perf}
results="$build/benchmark-results"
export QT_QPA_PLATFORM=offscreen

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DZORBAL_BUILD_BENCH=ON >/dev/null
programs=(zorbal_bench zorbal_steps_bench zorbal_files_bench zorbal_graphs_bench zorbal_window_bench
  zorbal_memory_bench zorbal_sweep_bench zorbal_history_bench zorbal_help_panel_bench zorbal_history_view_bench
  zorbal_sweep_chart_bench zorbal_cli_startup_bench)
available=()
for program in "${programs[@]}"; do
  # A benchmark that has not landed yet is reported as missing.
  if ninja -C "$build" -t targets all 2>/dev/null | grep -q "^$program:"; then
    available+=("$program")
  fi
done
cmake --build "$build" -j "$(nproc)" --target "${available[@]}"

rm -rf "$results"
mkdir -p "$results"
uptime >"$results/load-before.txt"
for program in "${available[@]}"; do
  echo "== $program"
  case $program in
    zorbal_memory_bench)
      # Peak memory counts the whole process: one benchmark per process.
      for name in $("$build/bench/$program" --benchmark_list_tests); do
        "$build/bench/$program" --benchmark_filter="^$name\$" --benchmark_format=json \
          --benchmark_out="$results/$program-${name//\//-}.json" --benchmark_out_format=json >/dev/null
      done
      ;;
    *)
      "$build/bench/$program" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_out="$results/$program.json" --benchmark_out_format=json >/dev/null
      ;;
  esac
done
uptime >"$results/load-after.txt"

python3 scripts/performance_report.py "$results" "$build" >docs/performance.md
echo "wrote docs/performance.md"
