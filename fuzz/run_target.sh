#!/usr/bin/env bash
# Runs a fuzz target over its seed files, then fuzzes it briefly in a scratch
# corpus so that the seed directory never changes.
set -euo pipefail
target=$1
shift
seeds=("$@")  # the target's own seeds first, then any other seed directories
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
cd "$work"
# The targets make their scratch directories here, so the trap removes them.
export TMPDIR="$work"
"$target" -runs=0 "${seeds[@]}"
# A picture may claim 256 MB of pixels, which takes seconds under the sanitizers
# on a busy machine: the timeout is for hangs, not for such a picture.
"$target" -max_total_time="${FUZZ_SECONDS:-15}" -timeout=60 -rss_limit_mb=2048 \
  "$work/corpus" "${seeds[@]}"
