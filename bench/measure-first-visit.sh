#!/usr/bin/env bash
# Measures a first visit: KOV started on a folder of COUNT photographs of 1600 x 1200
# without any thumbnail cache, from the start to the thumbnail page painted (the
# thumbnails built first), with the peak memory of the viewer process itself
# (/usr/bin/time -v; the engine's processes are not counted there).
#   bench/measure-first-visit.sh [BUILD_DIR] [COUNT] [RUNS]
# Without a display it runs itself under Xvfb. Needs ImageMagick (convert).
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
count=${2:-1000}
runs=${3:-1}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$count" "$runs"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pictures=$work/photos
mkdir -p "$pictures" "$work/config" "$work/cache"
# One noisy photograph-like picture, copied: every copy decodes in full.
convert -size 1600x1200 gradient:steelblue-khaki -attenuate 0.4 +noise Gaussian -quality 90 \
  "$pictures/p0000.jpg"
for i in $(seq 1 $((count - 1))); do cp "$pictures/p0000.jpg" "$pictures/p$(printf %04d "$i").jpg"; done
printf 'XDG_PICTURES_DIR="%s"\nXDG_DOCUMENTS_DIR="%s"\n' "$pictures" "$pictures" > "$work/config/user-dirs.dirs"
export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache GSETTINGS_BACKEND=memory
for run in $(seq 1 "$runs"); do
  rm -f "$pictures/kovthumb.\$\$\$"
  trace=$work/trace-$run.log
  echo "run $run: $count pictures, load average $(cut -d' ' -f1-3 /proc/loadavg)"
  start=$(date +%s.%N)
  KOV_TRACE=$trace /usr/bin/time -v -o "$work/time-$run" "$build/kov" 2>/dev/null &
  timer=$!
  until grep -q " painted thumbs kovp://thumblst/" "$trace" 2>/dev/null; do sleep 0.1; done
  painted=$(grep -m1 " painted thumbs kovp://thumblst/" "$trace" | cut -d' ' -f1)
  echo "  first thumbnail page painted after $(echo "$painted - $start" | bc) s"
  kill $(pgrep -P "$timer") 2>/dev/null || true
  wait "$timer" 2>/dev/null || true
  grep -E "Maximum resident" "$work/time-$run" | sed 's/^\t*/  /'
done
