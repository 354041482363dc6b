#!/usr/bin/env bash
# Measures the viewer from its trace (run from the source folder after `make build`):
#   1. start to the first thumbnail page painted, 200 pictures with a current cache,
#      median of 5 runs, and the memory (PSS) of all its processes at that point;
#   2. a thumbnail click to the picture painted, for a 12-megapixel JPEG.
# Without a display it runs itself under Xvfb.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
kovtool=$build/kovtool

# A profile whose Pictures folder is $1.
profile() {
  mkdir -p "$work/config" "$work/cache"
  printf 'XDG_PICTURES_DIR="%s"\nXDG_DOCUMENTS_DIR="%s"\n' "$1" "$1" > "$work/config/user-dirs.dirs"
  export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache GSETTINGS_BACKEND=memory
}

# Adds every picture named on the command line to its folder's cache, one thumbnail for all.
cache_all() {
  convert "$1" -resize 120x120 -type TrueColor BMP3:"$work/t.bmp"
  "$kovtool" thumb-gif "$work/t.bmp" "$work/t.gif" >/dev/null
  for picture in "$@"; do
    "$kovtool" cache add "$(dirname "$picture")/kovthumb.\$\$\$" "$picture" "$work/t.gif" 600 800 >/dev/null
  done
}

stamp() { grep -m1 " $1" "$2" | cut -d' ' -f1; }

descendants() {
  local child
  for child in $(pgrep -P "$1" || true); do echo "$child"; descendants "$child"; done
}

# The PSS of a process and all its descendants (the engine's own processes), in kB.
pss_of_tree() {
  local total=0 pid
  for pid in $1 $(descendants "$1"); do
    total=$((total + $(awk '/^Pss:/ {print $2}' /proc/$pid/smaps_rollup 2>/dev/null || echo 0)))
  done
  echo $total
}

echo "making 200 pictures..."
mkdir -p "$work/many"
convert -size 800x600 gradient:navy-gold "$work/many/p000.jpg"
for i in $(seq 1 199); do cp "$work/many/p000.jpg" "$work/many/p$(printf %03d "$i").jpg"; done
cache_all "$work"/many/*.jpg
profile "$work/many"
"$kovtool" cache current "$work/many" && echo "cache is current"

for run in 1 2 3 4 5; do
  trace=$work/trace-$run.log
  start=$(date +%s.%N)
  KOV_TRACE=$trace "$build/kov" 2>/dev/null &
  pid=$!
  until grep -q " painted thumbs kovp://thumblst/" "$trace" 2>/dev/null; do sleep 0.02; done
  pss=$(pss_of_tree "$pid")
  painted=$(stamp "painted thumbs kovp://thumblst/" "$trace")
  echo "run $run: first thumbnail page painted after $(echo "$painted - $start" | bc) s, PSS ${pss} kB"
  kill "$pid"; wait "$pid" 2>/dev/null || true
done

echo "making a 12-megapixel JPEG..."
mkdir -p "$work/big"
convert -size 4000x3000 gradient:darkgreen-yellow -quality 90 "$work/big/big.jpg"
cache_all "$work/big/big.jpg"
profile "$work/big"
for run in 1 2 3; do
  trace=$work/big-$run.log
  KOV_TRACE=$trace KOV_SCREENSHOT_DIR=$work/shots "$build/kov" 2>/dev/null
  clicked=$(stamp "click first thumbnail" "$trace")
  shown=$(stamp "painted image kovp://image/" "$trace")
  echo "run $run: click to picture painted $(echo "$shown - $clicked" | bc) s"
done
