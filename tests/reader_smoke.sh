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
set -m  # each reader in a job of its own, so that SIGINT is not ignored in it
# A signal ends the reader within a second through its usual shutdown: status 0
# and no temporary file left, both in the main loop (where a close request
# would start the 13.5-second closing) and in the setup dialog.
ends_on() {  # signal, then the reader's options
  local signal=$1 status=0
  shift
  "$reader" "$@" > out.txt &
  local pid=$!
  sleep 1.5
  local start=$EPOCHREALTIME
  kill -"$signal" $pid
  wait $pid || status=$?
  local took=$(( (${EPOCHREALTIME/./} - ${start/./}) / 1000 ))
  [ $status -eq 0 ] || { echo "SIG$signal: status $status"; cat out.txt; exit 1; }
  [ $took -lt 8000 ] || { echo "SIG$signal: the reader took $took ms to end"; exit 1; }
  if ls tmp_* > /dev/null 2>&1; then echo "SIG$signal: temporary files left behind"; exit 1; fi
}
for signal in TERM INT; do
  ends_on $signal --skip-setup
  grep -q "Engine will try to switch mode to 32 BPP" out.txt || { echo "no summary"; exit 1; }
done
ends_on HUP
echo "reader smoke test passed"
