#!/usr/bin/env bash
# Builds the web engine: the libraries' sysroot first (once per machine), then
# the engine's own sources in BUILD with emscripten's toolchain, into OUT.
set -euo pipefail
# emscripten's tools run on Node: acorn comes from Debian's Node modules, and the
# generated loader must not fetch.
export NODE_PATH=/usr/share/nodejs NODE_OPTIONS=--no-experimental-fetch
[ $# -eq 4 ] || { echo "usage: $0 SOURCE BUILD OUT CACHE" >&2; exit 2; }
source=$1 build=$2 out=$(realpath -m "$3") cache=$4
sysroot=$("$source/scripts/web_sysroot.sh" "$cache")
# Configured once per sysroot and output; later builds let CMake notice its own
# changes. Node 20 refuses the option emcmake would hand it, and fetch would
# take the .wasm.
configured() { grep -qx "$1:[A-Z]*=$2" "$build/CMakeCache.txt" 2>/dev/null; }
configured DISKMAG_WEB_SYSROOT "$sysroot" && configured DISKMAG_WEB_OUTPUT "$out" ||
cmake -S "$source" -B "$build" -DDISKMAG_WEB=ON -DDISKMAG_WEB_SYSROOT="$sysroot" \
  -DDISKMAG_WEB_OUTPUT="$out" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
  "-DCMAKE_CROSSCOMPILING_EMULATOR=node;--no-experimental-fetch" > "$build.configure.log" ||
  { cat "$build.configure.log"; exit 1; }
cmake --build "$build" -j "$(nproc)"
