#!/usr/bin/env bash
# Paints the installed web app's icons into web/ (icon-192.png, icon-512.png and their maskable
# forms), from web/tools/icon_pictures.cpp, which follows web/icon.svg.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset dev -G Ninja >/dev/null
cmake --build build --target zorbal_icon_pictures
QT_QPA_PLATFORM=offscreen build/web/zorbal_icon_pictures web
ls -l web/icon-*.png
