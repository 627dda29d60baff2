#!/usr/bin/env bash
# Installs with apt-get whatever the build and the tests need and the machine lacks.
#   scripts/install-deps.sh          everything
#   scripts/install-deps.sh native   only what the native build, its tests and the fuzz
#                                    targets need (make test installs the rest meanwhile)
set -euo pipefail
only_native=0
[ "${1:-}" = native ] && only_native=1

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

have_cmd cmake || need+=(cmake)
have_cmd ninja || need+=(ninja-build)
have_cmd g++ || need+=(g++)
have_cmd clang-format || need+=(clang-format)
# The fuzz targets: clang with libFuzzer and the sanitizers' runtimes.
have_cmd clang++ || need+=(clang)
have_pkg libclang-rt-14-dev || need+=(libclang-rt-14-dev)
have_pkg libgtest-dev || need+=(libgtest-dev)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
if [ "$only_native" = 0 ]; then
  have_cmd x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64-posix)
  have_cmd wine || need+=(wine)
  have_cmd wine64 || have_pkg wine64 || need+=(wine64)
  have_cmd Xvfb || need+=(xvfb)
  have_pkg fonts-wine || need+=(fonts-wine)
  # The exercise media: drawn with pycairo for Debian's python3, encoded by ffmpeg.
  have_cmd ffmpeg || need+=(ffmpeg)
  have_pkg python3-cairo || need+=(python3-cairo)
  have_pkg fonts-dejavu-core || need+=(fonts-dejavu-core)
  # The setup.
  have_cmd makensis || need+=(nsis)
fi

if [ ${#need[@]} -gt 0 ]; then
  echo "install-deps: installing ${need[*]}"
  sudo=""
  [ "$(id -u)" = 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  # With its recommendations: Wine's X11 driver loads several X libraries that
  # come only as recommended packages.
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}" >/dev/null
fi
