#!/usr/bin/env bash
# Installs a build into a throw-away DESTDIR under PREFIX /usr and checks what a
# desktop reads of it: the launcher entry, the metadata, the icon theme sizes and the
# manual pages, with the desktop's own validators.
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
id=${2:?application id}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
root=$stage/usr
desktop-file-validate "$root/share/applications/$id.desktop"
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml"
for file in bin/kov bin/kovtool share/man/man1/kov.1 share/man/man1/kovtool.1 \
            share/icons/hicolor/scalable/apps/$id.svg; do
  [ -f "$root/$file" ] || { echo "not installed: $file"; exit 1; }
done
for size in 16 22 24 32 48 64 128 256; do
  png=$root/share/icons/hicolor/${size}x${size}/apps/$id.png
  # Bytes 16 to 23 of a PNG are its width and height, big-endian.
  dims=$(od -An -tu4 --endian=big -j16 -N8 "$png" | tr -s ' ')
  [ "$dims" = " $size $size" ] || { echo "$png is not $size x $size:$dims"; exit 1; }
done
# The install brought the desktop's caches up to date: file managers offer KOV for
# HEIC photos at once, and never for folders.
cache=$root/share/applications/mimeinfo.cache
if command -v update-desktop-database >/dev/null; then
  grep -q "^image/heif=.*$id.desktop" "$cache" || { echo "$cache: KOV not registered for image/heif"; exit 1; }
  if grep -q "^inode/directory=.*$id.desktop" "$cache"; then echo "$cache: KOV claims folders"; exit 1; fi
fi
if command -v gtk-update-icon-cache >/dev/null; then
  [ -f "$root/share/icons/hicolor/icon-theme.cache" ] || { echo "no icon cache installed"; exit 1; }
fi
echo "desktop files of $id: valid"
