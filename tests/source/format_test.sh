#!/usr/bin/env bash
# Every C++ file of the engine and the tools is as clang-format (Debian's) lays
# it out with the tree's .clang-format; the files that are not are named.
set -euo pipefail
root=$1
cd "$root"
mapfile -d '' files < <(find src tools \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
[ ${#files[@]} -gt 0 ] || { echo "no sources under $root"; exit 1; }
clang-format --dry-run --Werror "${files[@]}"
