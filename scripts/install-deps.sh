#!/usr/bin/env bash
# Installs what Tavelo needs to build, test and run, from Debian's packages. Idempotent:
# packages already installed are left alone, and nothing is fetched when all are present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev libharfbuzz-dev qt6-translations-l10n
  fonts-ipafont-mincho fonts-ipafont-gothic
  libgtest-dev googletest libbenchmark-dev
  libzip-dev
  clang libclang-rt-14-dev
  xvfb xauth
  poppler-utils
  desktop-file-utils libxml2-utils shared-mime-info appstream
  file dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  if [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
