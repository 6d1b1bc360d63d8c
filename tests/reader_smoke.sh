#!/usr/bin/env bash
# The reader as a user starts it: without data.rs it stops with its fatal line
# and status 0; on the demo issue it prints the summary and keeps running.
set -euo pipefail
reader=$1 archive=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

out=$("$reader" --skip-setup) || { echo "status $? without data.rs"; exit 1; }
expected=$'\a\n PROGRAM: -- ERROR: [Cannot open resource file !] '
[ "$out" == "$expected" ] || { echo "unexpected output: $out"; exit 1; }

status=0
"$reader" --bogus 2>/dev/null || status=$?
[ $status -eq 2 ] || { echo "an unknown option gave status $status"; exit 1; }
for bad in 0 5 x 22 ""; do
  status=0
  "$reader" --scale "$bad" 2>err.txt || status=$?
  [ $status -eq 2 ] && grep -q Usage err.txt || { echo "--scale '$bad' gave status $status"; exit 1; }
done
"$reader" --scale 4 --version > /dev/null || { echo "--scale 4 refused"; exit 1; }

cp "$archive" data.rs
# SDL turns SIGTERM into a window-close request: the first starts the closing
# and the reader goes on, the second ends it with status 0.
"$reader" --skip-setup > out.txt &
pid=$!
sleep 1.5
kill -TERM $pid
sleep 0.5
kill -0 $pid 2>/dev/null || { echo "reader ended at the first close request"; cat out.txt; exit 1; }
kill -TERM $pid
status=0
wait $pid || status=$?
[ $status -eq 0 ] || { echo "reader ended with status $status"; cat out.txt; exit 1; }
grep -q "Engine will try to switch mode to 32 BPP" out.txt || { echo "no summary"; exit 1; }
if ls tmp_* > /dev/null 2>&1; then echo "temporary files left behind"; exit 1; fi
echo "reader smoke test passed"
