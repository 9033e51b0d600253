#!/bin/sh
# Runs an end-to-end test program on the X server of DISPLAY, or under a fresh Xvfb when there is
# none, so the test works the same from scripts/test.sh and from a plain ctest.
if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$@"
