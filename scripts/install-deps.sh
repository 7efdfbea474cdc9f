#!/usr/bin/env bash
# Installs the Debian packages Quorel needs to build, test and run; does nothing when all are present.
# The fonts cover Latin, Greek and Cyrillic (DejaVu) and Chinese and Japanese (WenQuanYi Micro Hei)
# in the view. With --fuzz it also installs clang for the fuzz preset (not needed to build or test).
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev fonts-liberation fonts-dejavu-core fonts-wqy-microhei
  xvfb xauth xdotool clang-format poppler-utils desktop-file-utils python3
)
if [ "${1:-}" = "--fuzz" ]; then packages+=(clang); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
