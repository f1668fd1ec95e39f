#!/usr/bin/env bash
# Installs what is missing, builds the web edition into build-web/ and serves the finished site
# build-web/site/ on http://127.0.0.1:8000/ (Ctrl+C stops it). With --build it only builds.
# The site is plain static files: copy the folder to any web server or a USB stick, or open
# build-web/site/index.html straight from the folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export NODE_PATH=/usr/share/nodejs
cmake --preset web -G Ninja >/dev/null
cmake --build build-web -j "$(nproc)" --target zorbal_site
if [ "${1:-}" = "--build" ]; then
  echo "Built the web edition in build-web/site/ (open index.html, or serve the folder)."
  exit 0
fi
port="${ZORBAL_WEB_PORT:-8000}"
echo "Zorbal's web edition: http://127.0.0.1:${port}/"
exec /usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/site
