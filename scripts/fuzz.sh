#!/bin/sh
# Builds the fuzz targets with clang (only them) and runs each briefly, seeded with its fixtures;
# FUZZ_SECONDS sets how long (30 by default).
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh fuzz
cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORN_BUILD_TESTS=OFF -DVORN_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz --target dxf_reader_fuzz
# New inputs go to a scratch corpus; the fixtures are only read.
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
build-fuzz/fuzz/dxf_reader_fuzz -max_total_time="${FUZZ_SECONDS:-30}" -max_len=65536 -print_final_stats=1 \
  -dict=fuzz/dxf.dict "$corpus" tests/lumbra/dxf
