#!/bin/sh
# Installs what the program, its tests and its benchmarks need on Debian 12 ("fuzz": and the fuzzers).
set -eu
packages="cmake ninja-build g++ ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev
  libx11-dev libgl-dev libglu1-mesa-dev libegl-dev libegl1-mesa libgl1-mesa-dri
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick fonts-dejavu-core fonts-liberation2 poppler-utils locales"
# With "fuzz": also clang with its libFuzzer runtime, for the fuzz targets.
if [ "${1:-}" = "fuzz" ]; then packages="$packages clang libclang-rt-dev"; fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
# Skip apt entirely when everything is there already, so repeated runs are quick.
missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $SUDO apt-get update -q
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $missing
fi
# A locale with a decimal comma, for the test that typed numbers are read the same in any locale.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
    echo "Generating the de_DE.UTF-8 locale"
    grep -qx 'de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
        echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen
fi
