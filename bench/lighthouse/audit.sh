#!/usr/bin/env bash
# Runs Lighthouse's accessibility audit of the built web site (build-web/site) in Debian's
# Chromium, at a laptop's viewport and at any other given. By hand; not part of the test command:
# it installs Lighthouse from the npm registry into bench/lighthouse/node_modules first.
#   bash bench/lighthouse/audit.sh [SITE [WIDTH HEIGHT]]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
site=$(cd "${1:-$here/../../build-web/site}" && pwd)
shift || true
[ -d "$here/node_modules/lighthouse" ] || npm ci --prefix "$here" --no-audit --no-fund --silent
node "$here/audit.mjs" "$site" "$@"
