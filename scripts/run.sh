#!/usr/bin/env bash
# Sets up, builds and starts Tarvik on its built-in simulated meter. Without
# a display it runs under xvfb-run and saves a picture of the main window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/tarvik --simulate "$@"
fi
shot="$PWD/build/tarvik-screenshot.png"
echo "No display: running Tarvik under xvfb-run; the main window's picture goes to $shot"
xvfb-run -a -s "-screen 0 1280x800x24" build/tarvik --simulate --screenshot "$shot" "$@"
echo "Screenshot of the main window: $shot"
