#!/bin/sh
# Installs what is needed, builds (warnings count as errors), and runs every test.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build -DVORN_WERROR=ON
cd build
# GL tests fail rather than skip when no GL context can be made.
export VORN_REQUIRE_GL=1
# End-to-end tests need an X server: run the whole suite under Xvfb; unit tests still use the
# offscreen platform.
exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --output-on-failure -j "$(nproc)"
