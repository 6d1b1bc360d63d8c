#!/usr/bin/env bash
# The web engine's mixer against the native one: the mixer probe of each build
# renders every tune of the demo issue, and the samples must be the very same.
# No tolerance: both builds run the same libopenmpt release, and WebAssembly's
# floats round as the native SSE2 ones do (IEEE, no wider registers), so the
# samples come out equal to the bit, and any difference is a fault.
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 NATIVE_PROBE WEB_PROBE TUNES_DIR" >&2; exit 2; }
native=$1 web=$2 tunes=$3
[ -f "$web" ] || { echo "Skipped: the web engine was not built (no emscripten)"; exit 77; }
command -v node > /dev/null || { echo "Skipped: node is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/native" "$work/web"
seconds=10
"$native" $seconds "$work/native" "$tunes"/*
NODE_PATH=/usr/share/nodejs NODE_OPTIONS=--no-experimental-fetch node "$web" $seconds "$work/web" "$tunes"/*

if ! diff -r "$work/native" "$work/web"; then
  echo "the web mixer's samples differ from the native ones"
  exit 1
fi
echo "The web mixer matches the native one on $(ls "$work/native" | wc -l) tunes"
