#!/usr/bin/env bash
# Builds everything and runs the whole test suite: unit tests, the demo issue,
# benchmark smoke runs and brief fuzzing of every reader of outside data.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build --parallel 2
ctest --test-dir build --output-on-failure --parallel 2
