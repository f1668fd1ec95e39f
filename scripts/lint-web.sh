#!/usr/bin/env bash
# Lints the web page's scripts and the service worker with eslint (web/.eslintrc.json): no errors
# and no warnings. eslint is the version pinned in web/package-lock.json, installed into
# web/node_modules/ with npm when it is missing or the lock changed since it was installed.
set -euo pipefail
cd "$(dirname "$0")/../web"
if ! cmp -s package-lock.json node_modules/.zorbal-installed-lock; then
  npm ci --no-audit --no-fund
  cp package-lock.json node_modules/.zorbal-installed-lock
fi
node_modules/.bin/eslint --max-warnings 0 page/ sw.js
echo "The page's scripts pass eslint."
