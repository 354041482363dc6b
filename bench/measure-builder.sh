#!/bin/sh
# Measures the thumbnail builder against gdk-pixbuf-thumbnailer and vipsthumbnail
# on the same files:
# 100 generated 4000 x 3000 JPEGs and 100 small PNGs. Prints pictures per second of
# each and, for the builder, where the time goes per picture, the longest the window
# thread was held, and how late a cancel in the middle of a build runs.
#   bench/measure-builder.sh [BUILD_DIR] [COUNT] [FILES_DIR]
# With FILES_DIR the pictures are made there once and kept, so that runs before and
# after a change measure the same files.
# Needs ImageMagick (convert), gdk-pixbuf-thumbnailer and, without $DISPLAY, xvfb-run;
# vipsthumbnail (libvips-tools) is measured when it is installed.
set -eu
build=${1:-build}
count=${2:-100}
tests="$build/kov_gui_tests"
[ -x "$tests" ] || { echo "build first: $tests is missing" >&2; exit 2; }
files=${3:-}
work=$(mktemp -d /tmp/kov-measure-XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/out"
if [ -n "$files" ] && [ -d "$files/large" ] && [ -d "$files/small" ]; then
  made=yes
else
  made=
  files=${files:-$work}
  mkdir -p "$files/large" "$files/small"
fi

now_ms() { date +%s%3N; }

if [ -z "$made" ]; then
  echo "making $count JPEGs of 4000 x 3000 and $count PNGs of 320 x 240 in $files"
  # One noisy gradient, then a different hue for each copy: every file decodes in full.
  convert -size 4000x3000 gradient:navy-orange -attenuate 0.6 +noise Gaussian "$work/base.ppm"
  i=0
  while [ "$i" -lt "$count" ]; do
    name=$(printf 'p%03d' "$i")
    convert "$work/base.ppm" -modulate 100,100,$((i * 200 / count)) -quality 90 "$files/large/$name.jpg"
    convert -size 320x240 "gradient:#$(printf '%06x' $((i * 167773)))-white" "$files/small/$name.png"
    i=$((i + 1))
  done
  rm -f "$work/base.ppm"
fi
# A cache left by an earlier run is no picture for the thumbnailers.
rm -f "$files/large/kovthumb.\$\$\$" "$files/small/kovthumb.\$\$\$"
echo "measuring the pictures in $files; load average $(cut -d' ' -f1-3 /proc/loadavg)"

thumbnailer() {
  start=$(now_ms)
  for f in "$1"/*; do
    gdk-pixbuf-thumbnailer -s 128 "$f" "$work/out/$(basename "$f").png"
  done
  ms=$(( $(now_ms) - start ))
  n=$(ls "$1" | wc -l)
  awk -v n="$n" -v ms="$ms" -v d="$1" \
    'BEGIN { printf "gdk-pixbuf-thumbnailer %s: %d pictures in %d ms: %.2f pictures/s, %.1f ms each\n", d, n, ms, n * 1000 / ms, ms / n }'
}
# vipsthumbnail (libvips-tools) takes all files of a folder in one process.
vips() {
  command -v vipsthumbnail > /dev/null || { echo "vipsthumbnail: not installed (libvips-tools)"; return 0; }
  start=$(now_ms)
  vipsthumbnail -s 128 -o "$work/out/%s-vips.png" "$1"/*
  ms=$(( $(now_ms) - start ))
  n=$(ls "$1" | wc -l)
  awk -v n="$n" -v ms="$ms" -v d="$1" \
    'BEGIN { printf "vipsthumbnail %s: %d pictures in %d ms: %.2f pictures/s, %.1f ms each\n", d, n, ms, n * 1000 / ms, ms / n }'
}
thumbnailer "$files/large"
thumbnailer "$files/small"
vips "$files/large"
vips "$files/small"

run="$tests --gtest_also_run_disabled_tests --gtest_filter=ThumbBuilderMeasure.*"
if [ -n "${DISPLAY:-}" ]; then
  KOV_MEASURE_FOLDERS="$files/large:$files/small" $run
else
  KOV_MEASURE_FOLDERS="$files/large:$files/small" xvfb-run -a -s "-screen 0 1280x1024x24" $run
fi
