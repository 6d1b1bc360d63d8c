#!/usr/bin/env bash
# Runs a fuzz target over its seeds, then briefly in a scratch corpus, leaving the seeds as they are.
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
# The timeout is for hangs, not for a picture of 256 MB, which takes seconds under the sanitizers.
"$target" -max_total_time="${FUZZ_SECONDS:-15}" -timeout=60 -rss_limit_mb=2048 \
  "$work/corpus" "${seeds[@]}"
