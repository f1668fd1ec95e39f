#!/usr/bin/env bash
# Builds the Debian package build-release/zorbal_<version>_<arch>.deb: a Release build of the two
# programs and their manual pages (preset `release`), packed by CPack's DEB generator, which takes
# the package's Depends from the libraries the programs link (dpkg-shlibdeps).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
rm -f build-release/zorbal_*.deb
cpack --config build-release/CPackConfig.cmake -B build-release -G DEB >/dev/null
ls build-release/zorbal_*.deb
