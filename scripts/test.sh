#!/usr/bin/env bash
# Installs what is missing, checks the formatting, lints the web page's scripts, builds Zorbal
# and runs every test: the full build (with the Qt layer, with the short soak of random designs)
# and clang-tidy on the files changed since main, the core-only build without Qt, everything again
# under AddressSanitizer and UndefinedBehaviorSanitizer, the web edition (WebAssembly under node,
# the page in headless Chromium), a short run of each fuzz target, and the Debian package.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
# The native builds go through the compiler cache, so a second run of this command (in this clone
# or a fresh one) compiles only what changed; the first run fills the cache.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache

echo "== formatting (.clang-format)"
bash scripts/check-format.sh

echo "== eslint on the web page's scripts (web/.eslintrc.json)"
bash scripts/lint-web.sh

echo "== full build"
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$jobs"
ctest --preset dev -j "$jobs"

echo "== clang-tidy (.clang-tidy) on the files changed since main"
bash scripts/tidy.sh --changed

echo "== core-only build (no Qt)"
cmake --preset core-only >/dev/null
cmake --build --preset core-only -j "$jobs"
ctest --preset core-only -j "$jobs"

echo "== everything under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

echo "== web edition: the core's tests under node, the page in headless Chromium"
env -u CMAKE_CXX_COMPILER_LAUNCHER -u CMAKE_C_COMPILER_LAUNCHER bash scripts/web-test.sh

echo "== fuzz targets, 30 s each (with clang)"
bash scripts/fuzz.sh 30

echo "== Debian package"
bash scripts/package.sh
bash scripts/check-package.sh

echo "All tests passed."
