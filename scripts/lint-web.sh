#!/usr/bin/env bash
# Lints the web page's scripts and the service worker with eslint (web/.eslintrc.json): no errors
# and no warnings. eslint is the version pinned in web/package-lock.json, installed into
# web/node_modules/ by scripts/web-node-modules.sh.
set -euo pipefail
bash "$(dirname "$0")/web-node-modules.sh"
cd "$(dirname "$0")/../web"
node_modules/.bin/eslint --max-warnings 0 page/ sw.js
echo "The page's scripts pass eslint."
