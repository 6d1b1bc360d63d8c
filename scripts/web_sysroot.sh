#!/usr/bin/env bash
# Builds the libraries the web engine links (zlib, libpng, libjpeg-turbo,
# FreeType, libopenmpt) for WebAssembly from Debian's source packages, into a
# sysroot under CACHE named after the packages' versions and this script, so
# that every build tree and fresh clone on the machine shares one. Prints the
# sysroot's path. Nothing comes from anywhere but the Debian archive.
set -euo pipefail
# emscripten's tools run on Node: acorn comes from Debian's Node modules, and the
# generated loader must not fetch.
export NODE_PATH=/usr/share/nodejs NODE_OPTIONS=--no-experimental-fetch
export LC_ALL=C
[ $# -eq 1 ] || { echo "usage: $0 CACHE" >&2; exit 2; }
cache=$1
packages=(zlib libpng1.6 libjpeg-turbo freetype libopenmpt)

# The versions the archive offers for a source package, newest first; apt's
# cache is read once, since each reading takes a second or two.
offered=$(apt-cache madison "${packages[@]}")
versions() {
  awk -F'|' -v p="$1" '/Sources/ { gsub(/ /, "", $1); gsub(/ /, "", $2); if ($1 == p) print $2 }' \
    <<< "$offered"
}

# The recipe is what follows its marker below; emcc's whole answer is read,
# since it fails when its reader leaves early.
compiler=$(emcc --version)
key=$( { for p in "${packages[@]}"; do echo "$p $(versions "$p" | sed -n 1p)"; done
         sed -n '/^# --- recipe/,$p' "$0"; sed -n 1p <<< "$compiler"; } | sha256sum | cut -c1-16)
root=$cache/web-sysroot-$key
if [ -f "$root/.complete" ]; then echo "$root"; exit 0; fi

mkdir -p "$cache"
# One build at a time; a second tree waiting here then finds the sysroot made.
exec 4>"$root.lock"
flock 4
if [ -f "$root/.complete" ]; then echo "$root"; exit 0; fi
work=$(mktemp -d)
exec 3>&1 1>"$work/log" 2>&1  # the build's chatter, shown only when it fails
trap 'status=$?; [ $status -eq 0 ] || tail -n 40 "$work/log" >&3; rm -rf "$work"' EXIT
cd "$work"
rm -rf "$root"

# --- recipe
# A mirror may lack the newest version's files (a security update): the next one serves.
fetch() {
  local v
  for v in $(versions "$1"); do
    rm -rf "$work/src-$1" && mkdir "$work/src-$1"
    if (cd "$work/src-$1" && apt-get source -q --only-source "$1=$v" >&2); then
      find "$work/src-$1" -mindepth 1 -maxdepth 1 -type d -print -quit
      return 0
    fi
  done
  echo "no source of $1 could be fetched (is a deb-src line in the apt sources?)" >&3
  return 1
}

prefix=$root
toolchain=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
jobs=$(nproc)
# emcmake hands CMake a Node option that Node 20 refuses; its checks then fail quietly.
cmake_web() {
  local src=$1; shift
  cmake -S "$src" -B "$src/web-build" -DCMAKE_TOOLCHAIN_FILE=$toolchain \
    "-DCMAKE_CROSSCOMPILING_EMULATOR=node;--no-experimental-fetch" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_FIND_ROOT_PATH="$prefix" "$@"
  cmake --build "$src/web-build" -j "$jobs"
  cmake --install "$src/web-build"
}

src=$(fetch zlib)
(cd "$src" && emconfigure ./configure --static --prefix="$prefix" && emmake make -j "$jobs" install)
src=$(fetch libpng1.6)
cmake_web "$src" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_HARDWARE_OPTIMIZATIONS=OFF \
  -DZLIB_ROOT="$prefix"
src=$(fetch libjpeg-turbo)
cmake_web "$src" -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF
src=$(fetch freetype)
cmake_web "$src" -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_BROTLI=ON -DFT_DISABLE_HARFBUZZ=ON \
  -DFT_DISABLE_PNG=ON -DFT_REQUIRE_ZLIB=ON -DZLIB_ROOT="$prefix"
src=$(fetch libopenmpt)
(cd "$src" && emconfigure ./configure --disable-shared --prefix="$prefix" \
  --without-zlib --without-mpg123 --without-ogg --without-vorbis --without-vorbisfile \
  --without-portaudio --without-portaudiocpp --without-sndfile --without-flac \
  --without-pulseaudio --disable-openmpt123 --disable-examples --disable-tests \
  --disable-doxygen-doc && emmake make -j "$jobs" install)

touch "$root/.complete"
echo "$root" >&3
