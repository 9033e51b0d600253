#!/bin/sh
# Configures and builds into build/ (or the folder given as the first argument, with any further
# CMake options after it).
set -eu
cd "$(dirname "$0")/.."
build_dir=${1:-build}
[ $# -gt 0 ] && shift
cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null
cmake --build "$build_dir"
