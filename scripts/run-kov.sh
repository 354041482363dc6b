#!/usr/bin/env bash
# Starts KOV from a build folder in a throw-away profile under it: its own settings,
# cache and user folders, with a Pictures folder of generated sample pictures. Without
# a display (X11 or Wayland) it runs under Xvfb, saves screenshots of the thumbnail
# page and an opened picture to <build>/screenshots/ and ends by itself.
set -euo pipefail
build=${1:-build}
build=$(cd "$build" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
profile=$build/profile
pictures=$profile/Pictures

mkdir -p "$profile/config" "$profile/cache" "$profile/Documents"
# The folders g_get_user_special_dir answers for this profile.
cat > "$profile/config/user-dirs.dirs" <<DIRS
XDG_PICTURES_DIR="$pictures"
XDG_DOCUMENTS_DIR="$profile/Documents"
DIRS
if [ ! -f "$pictures/.made" ]; then
  "$here/make-sample-tree.sh" "$pictures" "$build/kovtool"
  touch "$pictures/.made"
fi

export XDG_CONFIG_HOME=$profile/config
export XDG_CACHE_HOME=$profile/cache
export GSETTINGS_BACKEND=memory
export KOV_TRACE=${KOV_TRACE:-$profile/trace.log}

# A session bus of its own, so this KOV never hands its start to a KOV the user runs
# (one KOV per session bus), nor takes starts meant for that one.
bus=()
if command -v dbus-run-session >/dev/null; then bus=(dbus-run-session --); fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  rm -rf "$build/screenshots"
  export KOV_SCREENSHOT_DIR=$build/screenshots
  xvfb-run -a -s "-screen 0 1280x1024x24" "${bus[@]}" "$build/kov"
  ls "$build/screenshots"
  exit 0
fi
exec "${bus[@]}" "$build/kov"
