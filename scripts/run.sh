#!/usr/bin/env bash
# Installs what is missing, builds Zorbal and starts it. Without a display, it flies the
# default design through zorbal-cli instead and says how to use it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset dev -G Ninja >/dev/null
cmake --build build -j "$(nproc)"
if [ -x build/app/zorbal ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/app/zorbal "$@"
fi
if [ -x build/app/zorbal ]; then
  echo "No display is available, so the window cannot open. Flying the default design with zorbal-cli instead"
  echo "(see 'build/app/zorbal-cli --help'):"
fi
exec build/app/zorbal-cli fly "$@"
