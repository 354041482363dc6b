#!/usr/bin/env bash
# Makes a small tree of generated pictures for trying KOV out, with a current
# thumbnail cache in every folder (so thumbnails show at once):
#   make-sample-tree.sh DEST KOVTOOL [COUNT]
# COUNT pictures go into each ordinary folder (default 5). One folder carries its own
# background picture and music (kovbgimg.gif, kovbgsnd.mid); one folder is empty.
set -euo pipefail
dest=${1:?usage: make-sample-tree.sh DEST KOVTOOL [COUNT]}
kovtool=${2:?usage: make-sample-tree.sh DEST KOVTOOL [COUNT]}
count=${3:-5}
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Adds picture $1 to the cache of its folder: a 120 x 120 box thumbnail through the
# project's own quantiser and GIF writer, recorded with the picture's own size.
add_to_cache() {
  local picture=$1 folder size
  folder=$(dirname "$picture")
  size=$(identify -format '%w %h' "$picture[0]")
  convert "$picture[0]" -resize 120x120 -type TrueColor BMP3:"$work/thumb.bmp"
  "$kovtool" thumb-gif "$work/thumb.bmp" "$work/thumb.gif" >/dev/null
  # kovtool takes the height before the width.
  "$kovtool" cache add "$folder/kovthumb.\$\$\$" "$picture" "$work/thumb.gif" \
    "${size#* }" "${size% *}" >/dev/null
}

make_picture() {
  local kind=$1 index=$2 out=$3
  case $kind in
    gradient)
      local from=(navy darkgreen maroon purple teal orange) to=(skyblue yellow pink gold white cyan)
      convert -size 1024x768 "gradient:${from[$((index % 6))]}-${to[$((index % 6))]}" \
        -gravity center -pointsize 96 -fill white -annotate 0 "Sky $index" "$out" ;;
    plasma)
      convert -size 800x600 -seed "$index" plasma:fractal "$out" ;;
    text)
      convert -size 640x800 xc:ivory -gravity center -pointsize 72 -fill darkslateblue \
        -annotate 0 "Page $index" -bordercolor steelblue -border 20 "$out" ;;
  esac
}

fill_folder() {
  local folder=$1 kind=$2 ext=$3
  mkdir -p "$folder"
  for i in $(seq 1 "$count"); do
    make_picture "$kind" "$i" "$folder/$(printf '%s %02d' "$kind" "$i").$ext"
    add_to_cache "$folder/$(printf '%s %02d' "$kind" "$i").$ext"
  done
}

rm -rf "$dest"
mkdir -p "$dest"
fill_folder "$dest/Gradients" gradient jpg
fill_folder "$dest/Plasma" plasma png
fill_folder "$dest/Plasma/Deeper pages" text gif
fill_folder "$dest/Music & Colours" gradient jpg
convert -size 64x64 pattern:checkerboard -fill '#ffd0d0' -opaque white "$dest/Music & Colours/kovbgimg.gif"
cp "$here/res/bin/background-music.mid" "$dest/Music & Colours/kovbgsnd.mid"
mkdir -p "$dest/Empty folder"
echo "sample tree in $dest"
