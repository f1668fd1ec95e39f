#!/usr/bin/env bash
# Installs the page's tools pinned in web/package-lock.json (eslint, axe-core) into
# web/node_modules/ with npm when they are missing or the lock changed since they were installed.
set -euo pipefail
cd "$(dirname "$0")/../web"
if ! cmp -s package-lock.json node_modules/.zorbal-installed-lock; then
  npm ci --no-audit --no-fund
  cp package-lock.json node_modules/.zorbal-installed-lock
fi
