#!/usr/bin/env bash
# Builds the web edition and tests it: the core's GoogleTest suites compiled to WebAssembly and
# run under node (those needing processes or file-system faults stay native: see
# tests/CMakeLists.txt), then the page in headless Chromium against zorbal-cli of the native build,
# with axe-core from web/node_modules/ checking it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/web-node-modules.sh
export NODE_PATH=/usr/share/nodejs
cli="${ZORBAL_CLI:-build/app/zorbal-cli}"
[ -x "$cli" ] || cli=build-core/app/zorbal-cli
cmake --preset web -G Ninja >/dev/null
cmake --build build-web -j "$(nproc)"
ctest --test-dir build-web --output-on-failure -j "$(nproc)" -LE 'long|soak'
timeout 900 /usr/bin/python3 tests/web/page_test.py build-web/site "$cli"
