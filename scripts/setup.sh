#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those
# missing, and makes the Debian archive's source packages reachable: the web
# engine's libraries are built from them.
set -euo pipefail

packages=(build-essential cmake pkg-config libsdl1.2-compat-dev libpng-dev
  libjpeg62-turbo-dev libfreetype-dev libopenmpt-dev libvorbis-dev zlib1g-dev libgtest-dev
  libharfbuzz-dev libwoff-dev
  libbenchmark-dev clang libclang-rt-14-dev fonts-liberation fonts-dejavu-core
  xvfb xdotool openbox x11-apps python3 valgrind desktop-file-utils nodejs chromium
  emscripten dpkg-dev clang-format)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
updated=0
update() { [ $updated -eq 1 ] || "${sudo_cmd[@]}" apt-get update -q; updated=1; }

# A deb-src entry beside every deb entry of the system's sources, where there is none.
sources=$(apt-cache showsrc zlib 2>/dev/null || true)
if ! grep -q '^Package:' <<< "$sources"; then
  for list in /etc/apt/sources.list.d/*.sources; do
    [ -e "$list" ] && grep -Eq '^Types:(.* )?deb( |$)' "$list" || continue
    sed 's/^Types:.*/Types: deb-src/' "$list" |
      "${sudo_cmd[@]}" tee "/etc/apt/sources.list.d/diskmag-src-$(basename "$list")" > /dev/null
  done
  if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
      "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/diskmag-src.list > /dev/null
  fi
  updated=0
  update
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
update
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
