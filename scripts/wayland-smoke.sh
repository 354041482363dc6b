#!/usr/bin/env bash
# Starts KOV natively on Wayland, on Weston's headless backend, and waits until the
# thumbnail page of a folder has been drawn:
#   wayland-smoke.sh KOV
# No X display is offered, so the toolkit cannot fall back to X11. Exits 77 (skipped)
# when Weston is not installed.
set -euo pipefail
kov=${1:?usage: wayland-smoke.sh KOV}
limit=60

if ! command -v weston >/dev/null; then
  echo "weston is not installed (Debian package weston): the Wayland run is skipped"
  exit 77
fi

work=$(mktemp -d)
weston_pid=
kov_pid=
bus_pid=
cleanup() {
  for pid in $kov_pid $weston_pid $bus_pid; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -m 700 "$work/runtime"
mkdir -p "$work/config" "$work/cache" "$work/Pictures"
convert -size 640x480 xc:'#3060c0' "$work/Pictures/blue.png"
convert -size 480x640 xc:'#c06030' "$work/Pictures/orange.png"

export XDG_RUNTIME_DIR=$work/runtime
export XDG_CONFIG_HOME=$work/config
export XDG_CACHE_HOME=$work/cache
export GSETTINGS_BACKEND=memory
export NO_AT_BRIDGE=1
unset DISPLAY
socket=kov-smoke
weston --backend=headless-backend.so --socket=$socket --width=1280 --height=1024 --idle-time=0 \
  >"$work/weston.log" 2>&1 &
weston_pid=$!
# Weston makes its socket once it listens.
for ((i = 0; i < limit * 10; i++)); do
  [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$XDG_RUNTIME_DIR/$socket" ]; then
  echo "weston did not start:"
  cat "$work/weston.log"
  exit 1
fi

trace=$work/trace.log
: >"$trace"
# A session bus of its own: one KOV runs per bus, and this one must not hand its
# start to a KOV the user runs. It starts no services: the accessibility registry the
# engine would start outlives the bus and holds ctest's output open.
cat >"$work/bus.conf" <<'CONF'
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen><auth>EXTERNAL</auth>
<policy context="default"><allow send_destination="*" eavesdrop="true"/>
<allow eavesdrop="true"/><allow own="*"/></policy></busconfig>
CONF
dbus-daemon --config-file="$work/bus.conf" --fork --print-address=3 --print-pid=4 3>"$work/bus.address" 4>"$work/bus.pid"
bus_pid=$(cat "$work/bus.pid")
export DBUS_SESSION_BUS_ADDRESS=$(cat "$work/bus.address")
WAYLAND_DISPLAY=$socket GDK_BACKEND=wayland KOV_TRACE=$trace "$kov" "$work/Pictures" >"$work/kov.log" 2>&1 &
kov_pid=$!
wanted="painted thumbs kovp://thumblst/"
# The trace is followed until the line comes, KOV ends, or the limit passes.
if grep -q -m1 -F "$wanted" < <(timeout $limit tail --pid="$kov_pid" -n +1 -F "$trace" 2>/dev/null); then
  echo "KOV drew the thumbnail page on Wayland"
  exit 0
fi
if kill -0 "$kov_pid" 2>/dev/null; then
  echo "no '$wanted' within $limit s; KOV's trace and output:"
else
  echo "KOV ended before '$wanted'; its trace and output:"
fi
cat "$trace" "$work/kov.log"
exit 1
