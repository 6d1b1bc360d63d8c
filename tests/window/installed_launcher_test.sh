#!/usr/bin/env bash
# The installed tree as a user meets it: programs, guides, the demo issue and a
# valid menu entry; the launcher runs the reader in the user's own directory,
# never under the prefix. Also the reader's options, fatal exit and signals.
set -euo pipefail
cmake=$1 build=$2 source=$3
scratch=$(mktemp -d)
reader_pid=
cleanup() {
  if [ -n "$reader_pid" ]; then kill -KILL "$reader_pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; exit 1; }

prefix="$scratch/pre fix"  # the menu entry quotes the launcher's path
"$cmake" --install "$build" --prefix "$prefix" > /dev/null
issue=$prefix/share/diskmag/issue1
for program in diskmag magtool marrowin; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not installed as a program"
done
[ -f "$issue/data.rs" ] && [ -f "$issue/credits.html" ] || fail "the issue is not installed"
[ -f "$issue/web/index.html" ] && [ -f "$issue/web/music/beg.ogg" ] || fail "the issue's site is not installed"
[ ! -f "$build/web-engine/diskmag.wasm" ] || { [ -f "$issue/web/diskmag.wasm" ] && [ -f "$issue/web/data.rs" ] &&
  [ -f "$prefix/share/diskmag/web/read.html" ]; } || fail "the web engine is not installed with the site"
cmp -s "$source/docs/markup.md" "$prefix/share/doc/diskmag/markup.md" || fail "the guides are not installed"
entry=$prefix/share/applications/marrowin.desktop
out=$(desktop-file-validate "$entry" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"
listing() { find "$prefix" -printf '%p %s %T@\n' | sort; }
before=$(listing)

# Without XDG_DATA_HOME the directory is ~/.local/share/marrowin; options reach
# the reader, also through a link to the launcher.
export HOME=$scratch/home SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
unset XDG_DATA_HOME
mkdir "$scratch/links"
ln -s "$prefix/bin/marrowin" "$scratch/links/marrowin"
out=$("$scratch/links/marrowin" --help)
[[ "$out" == Usage:\ diskmag* ]] || fail "--help did not reach the reader: $out"
home_dir=$HOME/.local/share/marrowin
[ "$(readlink -f "$home_dir/data.rs")" = "$(readlink -f "$issue/data.rs")" ] ||
  fail "no link to the installed data.rs in $home_dir"

# Without data.rs the reader stops with its fatal line and status 0; a bad option is a usage error.
mkdir "$scratch/empty"
cd "$scratch/empty"
out=$("$prefix/bin/diskmag" --skip-setup) || fail "status $? without data.rs"
[ "$out" == $'\a\n PROGRAM: -- ERROR: [Cannot open resource file !] ' ] || fail "without data.rs: $out"
out=$("$prefix/bin/diskmag" --skip-setup --issue "$scratch/none") || fail "status $? without an issue folder"
[[ "$out" == *"[Cannot open resource file !]"* ]] || fail "without the issue folder: $out"
for args in --bogus "--scale 0" "--scale 5" "--scale x" "--scale 22" --scale --issue --start \
    "--window --fullscreen"; do
  status=0
  "$prefix/bin/diskmag" $args 2> err.txt || status=$?
  [ $status -eq 2 ] && grep -q Usage err.txt || fail "$args gave status $status"
done
"$prefix/bin/diskmag" --scale 4 --version > /dev/null || fail "--scale 4 refused"

# Real runs in $XDG_DATA_HOME/marrowin: a signal ends the reader within seconds
# through its usual shutdown (status 0, no temporary file left), in the main
# loop (where a close request would start the 13.5-second closing) and in the
# setup dialog.
export XDG_DATA_HOME=$scratch/data
user_dir=$XDG_DATA_HOME/marrowin
set -m  # each reader in a job of its own, so that SIGINT is not ignored in it
for run in "TERM --skip-setup" "INT --skip-setup" HUP; do
  set -- $run
  "$prefix/bin/marrowin" "${@:2}" > "$scratch/out.txt" &
  reader_pid=$!
  started=
  for _ in $(seq 50); do
    compgen -G "$user_dir/tmp_*" > /dev/null && started=1 && break
    sleep 0.1
  done
  [ $1 = HUP ] || [ -n "$started" ] || fail "no temporary files in $user_dir: $(cat "$scratch/out.txt")"
  sleep 0.5
  start=$EPOCHREALTIME
  kill -"$1" "$reader_pid"
  status=0
  wait "$reader_pid" || status=$?
  reader_pid=
  took=$(( (${EPOCHREALTIME/./} - ${start/./}) / 1000 ))
  [ $status -eq 0 ] || fail "SIG$1: status $status: $(cat "$scratch/out.txt")"
  [ $took -lt 8000 ] || fail "SIG$1: the reader took $took ms to end"
  [ $1 = HUP ] || grep -q "Engine will try to switch mode" "$scratch/out.txt" || fail "no summary"
  ! compgen -G "$user_dir/tmp_*" > /dev/null || fail "SIG$1: temporary files left in $user_dir"
done
[ -L "$user_dir/credits.html" ] || fail "no link to credits.html in $user_dir"
[ "$(listing)" = "$before" ] || fail "the reader wrote under the prefix: $(diff <(echo "$before") <(listing))"
echo "installed launcher test passed"
