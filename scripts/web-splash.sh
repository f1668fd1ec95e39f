#!/usr/bin/env bash
# Renders the splash picture the desktop paints into web/splash.jpg for the web page: twice the
# size it is shown at (sharp on high-density screens), small enough for a quick first page.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset dev -G Ninja >/dev/null
cmake --build build --target zorbal_splash_picture
QT_QPA_PLATFORM=offscreen build/web/zorbal_splash_picture web/splash.jpg "${1:-938}" "${2:-85}"
ls -l web/splash.jpg
