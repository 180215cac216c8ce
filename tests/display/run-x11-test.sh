#!/usr/bin/env bash
# Runs the X11 display test on a private Xvfb server. Skipped (exit 77) only
# when xvfb-run is not installed.
set -euo pipefail
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "SKIPPED: xvfb-run is not installed, so the X11 display cannot be tested"
  exit 77
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" env OVINTA_DISPLAY=x11 "$@"
