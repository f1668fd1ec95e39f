#!/usr/bin/env bash
# Installs what is missing, builds Zorbal and runs every test: the full build (with the Qt
# layer, with the short soak of random designs), the core-only build without Qt, the core tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

echo "== full build"
cmake --preset dev -G Ninja >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" -LE 'long'

echo "== core-only build (no Qt)"
cmake --preset core-only -G Ninja >/dev/null
cmake --build build-core -j "$jobs"
ctest --test-dir build-core --output-on-failure -j "$jobs" -LE 'long|soak'

echo "== core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan -G Ninja >/dev/null
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs" -LE 'long|soak'

echo "== fuzz targets, 30 s each (with clang)"
bash scripts/fuzz.sh 30

echo "All tests passed."
