#!/bin/sh
# Configures and builds into build/ (or the folder given as the first argument, with any further
# CMake options after it). BUILD_TARGET names one target to build instead of everything.
set -eu
cd "$(dirname "$0")/.."
build_dir=${1:-build}
[ $# -gt 0 ] && shift
cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null
cmake --build "$build_dir" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
