#!/usr/bin/env bash
# Builds the reader and the demo issue, then starts the reader on it in
# build/run, where the files it writes (setup, history, saved texts) land.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build --parallel 2 --target diskmag demo_issue
cd build/run
exec ../bin/diskmag "$@"
