#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing.
set -euo pipefail

packages=(build-essential cmake pkg-config libsdl1.2-compat-dev libpng-dev
  libjpeg62-turbo-dev libfreetype-dev libopenmpt-dev libvorbis-dev zlib1g-dev libgtest-dev
  libbenchmark-dev clang libclang-rt-14-dev fonts-liberation fonts-dejavu-core
  xvfb xdotool openbox x11-apps python3 valgrind desktop-file-utils nodejs chromium)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
