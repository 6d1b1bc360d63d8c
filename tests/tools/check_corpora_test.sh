#!/usr/bin/env bash
# Every seed of the other fuzz corpora, put into the demo issue at the member it
# stands for, is checked without a crash (status 0 or 1). With PACK_DIR, each
# corpus's first seed is packed there instead, to seed the check fuzzer.
set -euo pipefail
export LC_ALL=C
[ $# -ge 3 ] || { echo "usage: $0 MAGTOOL ARCHIVE SEEDS_ROOT [PACK_DIR]" >&2; exit 2; }
magtool=$1 archive=$2 seeds=$3 pack_dir=${4:-}
per_corpus=$([ -n "$pack_dir" ] && echo 1 || echo 15)  # bounds the run time
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$magtool" extract "$archive" "$work/pristine" > /dev/null
issue=$work/issue
cp -r "$work/pristine" "$issue"

# The files the panel and font fuzzers keep beside their input, where the issue has them.
copy_if_there() { if [ -e "$1" ]; then cp "$1" "$2"; fi; }
for name in a.bmp s.bmp glyphs.bmp DATA/glyphs.bmp; do copy_if_there "$issue/DATA/panels/icon.bmp" "$issue/$name"; done
for pair in m.gif:mask.gif c.txt:chain0.txt b.ani:button0.ani; do
  copy_if_there "$issue/DATA/panels/classic/${pair#*:}" "$issue/${pair%%:*}"
done

# Byte offsets of the first two 0x1E separators, as the search fuzzer cuts; bytes [from, to).
separators() { grep -obUa $'\x1e' "$1" | head -n 2 | cut -d: -f1 || true; }
bytes() { if [ "$2" -lt "$3" ]; then tail -c +$(($2 + 1)) "$1" | head -c $(($3 - $2)); fi; }

# The member a whole seed stands for.
declare -A MEMBER=([article_fuzz]=DATA/arts/index.art [gif_fuzz]=DATA/panels/plasma.gif
  [bmp_fuzz]=DATA/pictures/gallery/copper.bmp [image_fuzz]=DATA/panels/cursor.png
  [panel_fuzz]=DATA/panels/classic.txt [ttt_fuzz]=DATA/fonts/arial.ttt
  [msx_list_fuzz]=DATA/configs/msx.txt [module_fuzz]=DATA/msx/tune1.xm [utf8_fuzz]=DATA/arts/index.art)

# Writes seed $2 of corpus $1 as member files under $work/parts; prints "member part" pairs.
place() {
  local corpus=$1 seed=$2 parts=$work/parts
  rm -rf "$parts" && mkdir "$parts"
  [ -n "${MEMBER[$corpus]:-}" ] && { echo "${MEMBER[$corpus]} $seed"; return 0; }
  case $corpus in
    config_fuzz)  # the first byte chooses the file: odd the keys, even the setup
      [ -s "$seed" ] || return 0
      tail -c +2 "$seed" > "$parts/cfg"
      (( $(od -An -tu1 -N1 "$seed") % 2 )) && echo "DATA/configs/keydefs.cfg $parts/cfg" ||
        echo "DATA/configs/setup.cfg $parts/cfg" ;;
    bmf_fuzz)  # the first byte is the script's length, the charset follows it
      [ -s "$seed" ] || return 0
      local length=$(($(od -An -tu1 -N1 "$seed")))
      tail -c +2 "$seed" | head -c "$length" > "$parts/bmf"
      tail -c +$((length + 2)) "$seed" > "$parts/chr"
      printf '%s\n' "DATA/fonts/headline.bmf $parts/bmf" "cs.txt $parts/chr" "DATA/cs.txt $parts/chr" ;;
    search_fuzz)
      local size cuts
      size=$(stat -c %s "$seed") && mapfile -t cuts < <(separators "$seed")
      local first=${cuts[0]:-$size} second=${cuts[1]:-$size}
      bytes "$seed" 0 "$first" > "$parts/search.txt"
      bytes "$seed" $((first + 1)) "$second" > "$parts/search.lst"
      bytes "$seed" $((second + 1)) "$size" > "$parts/art.art"
      printf '%s\n' "DATA/configs/search.txt $parts/search.txt" "DATA/configs/search.lst $parts/search.lst" \
        "DATA/arts/art.art $parts/art.art" ;;
  esac
}

# Puts the pristine member back, or removes one the issue does not have.
restore() { if [ -e "$work/pristine/$1" ]; then cp "$work/pristine/$1" "$issue/$1"; else rm -f "$issue/$1"; fi; }

runs=0 reported=0 failed=0
for dir in "$seeds"/*_fuzz; do
  corpus=$(basename "$dir")
  mapfile -t files < <(find "$dir" -maxdepth 1 -type f | sort | head -n "$per_corpus")
  for seed in "${files[@]}"; do
    mapfile -t swaps < <(place "$corpus" "$seed")
    [ ${#swaps[@]} -gt 0 ] || continue
    for swap in "${swaps[@]}"; do
      mkdir -p "$(dirname "$issue/${swap%% *}")" && cp "${swap#* }" "$issue/${swap%% *}"
    done
    if [ -n "$pack_dir" ]; then
      "$magtool" pack --store "$issue" "$pack_dir/$corpus-$(basename "$seed").rs" > /dev/null
    else
      status=0
      "$magtool" check "$issue" > "$work/out" 2>&1 || status=$?
      runs=$((runs + 1))
      if [ $status -eq 1 ]; then reported=$((reported + 1)); elif [ $status -ne 0 ]; then
        echo "$corpus/$(basename "$seed"): status $status" && cat "$work/out" && failed=$((failed + 1))
      fi
    fi
    for swap in "${swaps[@]}"; do restore "${swap%% *}"; done
  done
done
[ -n "$pack_dir" ] && exit 0
echo "$runs seeds checked, $reported reported a problem, $failed failed"
[ $runs -gt 0 ] && [ $failed -eq 0 ]
