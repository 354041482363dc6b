#!/usr/bin/env bash
# Starts KOV from a build folder. Without a display it runs under Xvfb.
set -euo pipefail
build=${1:-build}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$build/kov"
fi
exec "$build/kov"
