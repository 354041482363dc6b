#!/usr/bin/env bash
# Measures the viewer from its trace (run from the source folder after `make build`):
#   1. for 200, 1000 and 5000 pictures with a current cache: start to the first
#      thumbnail page painted, the CPU time of all its processes in the 5 s after it
#      (the music's streaming threads apart), and the memory (PSS) of each process
#      at that point with its largest mappings, and how long each start-up stage
#      took (from its trace);
#   2. a thumbnail click to the picture painted, for a 12-megapixel JPEG.
#   bench/measure-viewer.sh [BUILD_DIR] [COUNTS] [RUNS]
# COUNTS ("200 1000 5000") and RUNS (3) choose the folders and the starts of each.
# Without a display it runs itself under Xvfb.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
counts=${2:-200 1000 5000}
runs=${3:-3}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$counts" "$runs"
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

# Waits until the trace $2 of the viewer $1 has the line $3; false when the viewer
# ended without it.
wait_for_line() {
  until grep -q " $3" "$2" 2>/dev/null; do
    kill -0 "$1" 2>/dev/null || return 1
    sleep 0.1
  done
}

# The start-up stages of a trace, in seconds: from the shell's start ($2) to main,
# the toolkit, the engine, the windows, to the list page's navigation, its load and
# its first paint.
stages() {
  local list=" thumbs kovp://thumblst/"
  awk -v start="$2" -v list="$list" '
    function at(name) { return name in t ? t[name] : "" }
    / starting$/ { t["main"] = $1 }
    / toolkit started$/ { t["toolkit"] = $1 }
    / engine made$/ { t["engine"] = $1 }
    / windows made$/ { t["windows"] = $1 }
    index($0, " navigate" list) && !("navigate" in t) { t["navigate"] = $1 }
    index($0, " loaded" list) && !("loaded" in t) { t["loaded"] = $1 }
    index($0, " painted" list) && !("painted" in t) { t["painted"] = $1 }
    END {
      split("main toolkit engine windows navigate loaded painted", names, " ")
      prev = start; line = "    stages (s):"
      for (i = 1; i <= 7; ++i) {
        if (at(names[i]) == "") continue
        line = line sprintf(" %s %.3f", names[i], t[names[i]] - prev); prev = t[names[i]]
      }
      print line
    }' "$1"
}

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

# The largest mappings of a process by PSS, in MB, as "name MB" pairs (anonymous
# memory as [anon], libraries by file name): where a process's memory goes.
largest_mappings() {
  awk '/^[0-9a-f]+-[0-9a-f]+ / { name = ($6 == "" ? "[anon]" : $6); sub(".*/", "", name) }
       /^Pss:/ { pss[name] += $2 }
       END { for (n in pss) printf "%d %s\n", pss[n], n }' "/proc/$1/smaps" 2>/dev/null |
    sort -rn | head -"${2:-6}" | awk '{ printf " %s %.1f", $2, $1 / 1024 }'
}

# A folder of $2 copies of one picture with a current cache, made fast: one record is
# written by kovtool and repeated under each name (records sit back to back, and the
# copies share the original's time).
make_folder() {
  local dir=$1 count=$2 i
  mkdir -p "$dir"
  convert -size 800x600 gradient:navy-gold "$dir/p0000.jpg"
  for i in $(seq 1 $((count - 1))); do cp -p "$dir/p0000.jpg" "$dir/p$(printf %04d "$i").jpg"; done
  convert "$dir/p0000.jpg" -resize 120x120 -type TrueColor BMP3:"$work/t.bmp"
  "$kovtool" thumb-gif "$work/t.bmp" "$work/t.gif" >/dev/null
  rm -f "$work/one"
  "$kovtool" cache add "$work/one" "$dir/p0000.jpg" "$work/t.gif" 600 800 >/dev/null
  python3 - "$work/one" "$dir/kovthumb.\$\$\$" "$count" <<'PY'
import sys
record, cache, count = open(sys.argv[1], 'rb').read(), sys.argv[2], int(sys.argv[3])
with open(cache, 'wb') as out:
    for i in range(count):
        out.write(record.replace(b'p0000.jpg', b'p%04d.jpg' % i))
PY
  "$kovtool" cache current "$dir" >/dev/null || { echo "cache of $dir is not current"; exit 1; }
}

# CPU time (user + system, in 1/100 s) of every thread of a process and its
# descendants, one "tid name ticks" line each.
thread_ticks() {
  local pid task
  for pid in $1 $(descendants "$1"); do
    for task in /proc/$pid/task/*; do
      [ -r "$task/stat" ] || continue
      echo "$(basename "$task") $(tr ' ' '_' < "$task/comm") $(awk '{print $14 + $15}' "$task/stat" 2>/dev/null || echo 0)"
    done
  done
}

# The CPU seconds between two thread_ticks snapshots, as "music other": the media
# player's streaming threads (named after their GStreamer elements: the MIDI parser
# and synthesiser, queues, sinks and sources) play the music; every other thread counts.
cpu_between() {
  awk 'NR == FNR { before[$1] = $3; next }
       { used = $3 - ($1 in before ? before[$1] : 0)
         if ($2 ~ /^(midiparse|queue|aqueue|fluid|alsa|pulse|audio)|:(src|sink)$/) music += used; else other += used }
       END { printf "%.2f %.2f\n", music / 100, other / 100 }' "$1" "$2"
}

first_start=yes
for count in $counts; do
  echo "== $count pictures"
  make_folder "$work/many$count" "$count"
  profile "$work/many$count"
  if [ -n "$first_start" ]; then
    # The first start in a new cache folder builds the media framework's plugin
    # registry (seconds of CPU); one start outside the figures leaves every run alike.
    KOV_TRACE=$work/first.log "$build/kov" 2>/dev/null &
    pid=$!
    wait_for_line "$pid" "$work/first.log" "painted thumbs kovp://thumblst/" || true
    sleep 3
    kill "$pid"; wait "$pid" 2>/dev/null || true
    first_start=
  fi
  for run in $(seq 1 "$runs"); do
    trace=$work/trace-$count-$run.log
    start=$(date +%s.%N)
    KOV_TRACE=$trace "$build/kov" 2>/dev/null &
    pid=$!
    if ! wait_for_line "$pid" "$trace" "painted thumbs kovp://thumblst/"; then
      echo "run $run: the viewer ended before its thumbnail page was painted"
      wait "$pid" 2>/dev/null || true
      continue
    fi
    painted=$(stamp "painted thumbs kovp://thumblst/" "$trace")
    thread_ticks "$pid" > "$work/before"
    sleep 5
    thread_ticks "$pid" > "$work/after"
    read -r music other < <(cpu_between "$work/before" "$work/after")
    echo "run $run: first thumbnail page painted after $(echo "$painted - $start" | bc) s," \
         "CPU in the 5 s after it: $other s, and $music s playing the music;" \
         "load average $(cut -d' ' -f1-3 /proc/loadavg)"
    stages "$trace" "$start"
    for p in $pid $(descendants "$pid"); do
      echo "    PSS $(awk '/^Pss:/ {print $2}' /proc/$p/smaps_rollup) kB $(tr '\0' ' ' < /proc/$p/cmdline | cut -c1-60)"
      echo "      largest (MB):$(largest_mappings "$p")"
    done
    echo "    PSS of all: $(pss_of_tree "$pid") kB"
    kill "$pid"; wait "$pid" 2>/dev/null || true
  done
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
