#!/usr/bin/env bash
# Installs the Debian 12 packages Zorbal needs to build, test and run, skipping those present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache git
  qt6-base-dev libgl-dev
  # the fonts the window asks for first (Liberation Sans) and falls back on (DejaVu Sans); the Qt
  # tests see only these two (tests/fonts.conf)
  fonts-liberation2 fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  clang libclang-rt-14-dev clang-format clang-tidy
  xvfb xauth
  lintian desktop-file-utils appstream help2man dpkg-dev file
  # the design files' type: its database, and the desktop's look-ups that check it (the link's
  # compression is checked against zlib)
  shared-mime-info xdg-utils libglib2.0-bin libxml2-utils zlib1g-dev

  # the web edition: its build, node for its unit tests, headless Chromium for its page tests
  emscripten googletest nodejs chromium chromium-driver python3-selenium
)
command -v npm >/dev/null || packages+=(npm) # eslint for the page's scripts (scripts/lint-web.sh)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
