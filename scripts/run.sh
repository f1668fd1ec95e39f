#!/usr/bin/env bash
# Installs what is missing, builds Zorbal and starts it. Without a display, it flies the
# default design through zorbal-cli instead and says how to use it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset dev -G Ninja >/dev/null
cmake --build build -j "$(nproc)"
if [ -x build/app/zorbal ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ] || [[ " $* " == *" --screenshot"* ]]; }; then
  exec build/app/zorbal "$@"
fi
echo "No display, so the window cannot open: flying the default design with build/app/zorbal-cli (see its --help; build/app/zorbal --screenshot FILE draws the window)."
exec build/app/zorbal-cli fly "$@"
