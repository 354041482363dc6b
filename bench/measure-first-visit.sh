#!/usr/bin/env bash
# Measures a first visit to a folder of COUNT photographs of 1600 x 1200 without any
# thumbnail cache, in KOV and, when they are installed, in gThumb and geeqie, run by
# turns on the same folder so that all three see the same load:
#   kov     start to the thumbnail page painted (every thumbnail built first);
#   gthumb  start to its last thumbnail written ($XDG_CACHE_HOME/thumbnails);
#   geeqie  the same, in its icon view with thumbnails shown and cached.
# Each run starts with an empty private HOME and XDG folders. The peak memory is the
# viewer process's own resident size (/usr/bin/time -v) and the largest proportional
# set size of the viewer with every process it started (KOV's engine runs in
# processes of its own), sampled every half second. For KOV the engine's web
# process is also given alone: its peak resident and proportional set sizes during
# the visit, and both again once the thumbnail page has stood for two seconds.
#   bench/measure-first-visit.sh [BUILD_DIR] [COUNT] [RUNS] [VIEWERS]
# VIEWERS defaults to "kov gthumb geeqie"; kov:DIR is KOV as built in DIR, so that
# builds before and after a change can be measured by turns. Without a display it runs itself under
# Xvfb. Needs ImageMagick (convert); gThumb and geeqie are measured when installed.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
count=${2:-1000}
runs=${3:-1}
viewers=${4:-kov gthumb geeqie}
limit=${KOV_MEASURE_LIMIT:-600}  # seconds a viewer may take before it is given up
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$count" "$runs" "$viewers"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pictures=$work/photos
mkdir -p "$pictures"
# One noisy photograph-like picture, copied: every copy decodes in full.
convert -size 1600x1200 gradient:steelblue-khaki -attenuate 0.4 +noise Gaussian -quality 90 \
  "$pictures/p0000.jpg"
for i in $(seq 1 $((count - 1))); do cp "$pictures/p0000.jpg" "$pictures/p$(printf %04d "$i").jpg"; done

now() { date +%s.%N; }

# An empty home for one run: HOME and the XDG folders inside $1.
fresh_home() {
  rm -rf "$1"
  mkdir -p "$1/home" "$1/config" "$1/cache" "$1/data"
  printf 'XDG_PICTURES_DIR="%s"\nXDG_DOCUMENTS_DIR="%s"\n' "$pictures" "$pictures" > "$1/config/user-dirs.dirs"
}

in_home() {
  HOME=$1/home XDG_CONFIG_HOME=$1/config XDG_CACHE_HOME=$1/cache XDG_DATA_HOME=$1/data \
    GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1 "${@:2}"
}

# pid and every process below it.
tree() {
  local child
  echo "$1"
  for child in $(pgrep -P "$1" 2> /dev/null); do tree "$child"; done
}

# The proportional set size in kB of pid and every process below it: libraries the
# processes share count once in all.
tree_pss() {
  local total=0 pid kb
  for pid in $(tree "$1"); do
    kb=$(awk '/^Pss:/ { print $2 }' "/proc/$pid/smaps_rollup" 2> /dev/null || true)
    total=$((total + ${kb:-0}))
  done
  echo "$total"
}

# # The web processes below pid (KOV's engine), by their command name.
web_processes() {
  local pid
  for pid in $(tree "$1"); do
    [ "$(cat "/proc/$pid/comm" 2> /dev/null)" = WebKitWebProces ] && echo "$pid"
  done
}

# "RSS PSS" in kB of the web processes below pid, summed.
web_sizes() {
  local rss=0 pss=0 pid r p
  for pid in $(web_processes "$1"); do
    r=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2> /dev/null || true)
    p=$(awk '/^Pss:/ { print $2 }' "/proc/$pid/smaps_rollup" 2> /dev/null || true)
    rss=$((rss + ${r:-0})) pss=$((pss + ${p:-0}))
  done
  echo "$rss $pss"
}

# geeqie shows a folder as a list without thumbnails unless its configuration says
# otherwise: its own default configuration, written by a geeqie told to quit, is
# turned to the icon view with thumbnails of up to 128 pixels, cached in the
# standard thumbnail folder.
geeqie_config() {
  local home=$work/geeqie-setup
  fresh_home "$home"
  in_home "$home" geeqie --blank > /dev/null 2>&1 &
  local pid=$!
  until [ -d "$home/config/geeqie" ]; do sleep 0.2; done
  sleep 1
  in_home "$home" geeqie -r -q > /dev/null 2>&1 || true
  wait "$pid" 2> /dev/null || true
  sed -e 's/file_view_type = "[0-9]*"/file_view_type = "1"/' \
      -e 's/show_thumbnails = "false"/show_thumbnails = "true"/' \
      -e 's/thumbnails.max_width = "[0-9]*"/thumbnails.max_width = "128"/' \
      -e 's/thumbnails.max_height = "[0-9]*"/thumbnails.max_height = "128"/' \
      -e 's/thumbnails.enable_caching = "false"/thumbnails.enable_caching = "true"/' \
      -e 's/thumbnails.spec_standard = "false"/thumbnails.spec_standard = "true"/' \
      "$home/config/geeqie/geeqierc.xml" > "$work/geeqierc.xml"
  grep -q 'file_view_type = "1"' "$work/geeqierc.xml"
}

# Whether the viewer's work is done: KOV's trace names the painted thumbnail page;
# the others' thumbnails are counted in the standard cache.
finished() {
  local viewer=$1 home=$2
  if [ "${viewer%%:*}" = kov ]; then
    grep -q " painted thumbs kovp://thumblst/" "$home/trace.log" 2> /dev/null
  else
    [ "$(ls "$home/cache/thumbnails/normal" "$home/cache/thumbnails/large" 2> /dev/null | grep -c '\.png$')" -ge "$count" ]
  fi
}

measure() {
  local viewer=$1 run=$2 home=$work/home-${1//[^a-z]/}
  fresh_home "$home"
  rm -f "$pictures/kovthumb.\$\$\$"
  local command
  case $viewer in
    kov) command=("$build/kov") ;;
    kov:*) command=("${viewer#kov:}/kov") ;;
    gthumb) command=(gthumb "$pictures") ;;
    geeqie)
      mkdir -p "$home/config/geeqie"
      cp "$work/geeqierc.xml" "$home/config/geeqie/geeqierc.xml"
      command=(geeqie "$pictures") ;;
  esac
  local load start peak=0 rss done=no webPeakRss=0 webPeakPss=0 web
  load=$(cut -d' ' -f1-3 /proc/loadavg)
  start=$(now)
  # The background process becomes /usr/bin/time itself, the viewer its child.
  (exec env HOME="$home/home" XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" \
     XDG_DATA_HOME="$home/data" GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1 KOV_TRACE="$home/trace.log" \
     /usr/bin/time -v -o "$home/time" "${command[@]}" > /dev/null 2>&1) &
  local timer=$! ticks=0
  while kill -0 "$timer" 2> /dev/null; do
    if finished "$viewer" "$home"; then done=yes; break; fi
    if [ $((ticks % 5)) -eq 0 ]; then
      rss=$(tree_pss "$timer")
      [ "$rss" -gt "$peak" ] && peak=$rss
      if [ "${viewer%%:*}" = kov ]; then
        read -r -a web <<< "$(web_sizes "$timer")"
        [ "${web[0]}" -gt "$webPeakRss" ] && webPeakRss=${web[0]}
        [ "${web[1]}" -gt "$webPeakPss" ] && webPeakPss=${web[1]}
      fi
    fi
    ticks=$((ticks + 1))
    [ "$(echo "$(now) - $start > $limit" | bc)" = 1 ] && break
    sleep 0.1
  done
  local end webLine=""
  end=$(now)
  if [ "${viewer%%:*}" = kov ] && [ $done = yes ]; then
    end=$(grep -m1 " painted thumbs kovp://thumblst/" "$home/trace.log" | cut -d' ' -f1)
    sleep 2
    read -r -a web <<< "$(web_sizes "$timer")"
    [ "${web[0]}" -gt "$webPeakRss" ] && webPeakRss=${web[0]}
    [ "${web[1]}" -gt "$webPeakPss" ] && webPeakPss=${web[1]}
    webLine=$(printf '          web process: peak %d MB resident, %d MB PSS; on the thumbnail page %d MB, %d MB' \
      $((webPeakRss / 1024)) $((webPeakPss / 1024)) $((${web[0]} / 1024)) $((${web[1]} / 1024)))
  fi
  # The viewer and every process it started; time then writes its figures.
  local below
  below=$(tree "$timer" | tail -n +2)
  kill $below 2> /dev/null || true
  wait "$timer" 2> /dev/null || true
  local own
  own=$(awk -F': ' '/Maximum resident/ { print $2 }' "$home/time" 2> /dev/null || true)
  if [ $done = yes ]; then
    printf '  %-7s run %d: %.2f s, peak %d MB resident, %d MB PSS with its processes (load %s)\n' \
      "$viewer" "$run" "$(echo "$end - $start" | bc)" $((${own:-0} / 1024)) $((peak / 1024)) "$load"
    [ -z "$webLine" ] || echo "$webLine"
  else
    local made
    made=$(ls "$home/cache/thumbnails/normal" "$home/cache/thumbnails/large" 2> /dev/null | grep -c '\.png$' || true)
    printf '  %-7s run %d: not done after %.0f s (%s thumbnails), load %s\n' \
      "$viewer" "$run" "$(echo "$end - $start" | bc)" "$made" "$load"
  fi
}

present=()
for viewer in $viewers; do
  if [ "${viewer%%:*}" = kov ] || command -v "$viewer" > /dev/null; then
    present+=("$viewer")
  else
    echo "$viewer: not installed, not measured"
  fi
done
case " ${present[*]} " in *" geeqie "*) geeqie_config ;; esac
echo "first visit to $count pictures of 1600 x 1200, by turns: ${present[*]}"
for run in $(seq 1 "$runs"); do
  for viewer in "${present[@]}"; do measure "$viewer" "$run"; done
done
