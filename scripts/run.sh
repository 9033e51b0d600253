#!/bin/sh
# Installs what is needed, builds the program (no tests or benchmarks) and starts it in its run
# folder. Without a display it starts it under Xvfb.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
BUILD_TARGET=program scripts/build.sh build
cd build/run
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: starting the program under Xvfb (xvfb-run)."
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ./VornInterface "$@"
fi
exec ./VornInterface "$@"
