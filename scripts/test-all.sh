#!/usr/bin/env bash
# make test: the native unit tests, the fuzz targets' quick pass, then the Windows tests
# under Wine. On a new machine the packages of the Windows build (Wine, mingw-w64, ffmpeg,
# NSIS) install while the native build runs, which needs none of them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh native
mkdir -p build
scripts/install-deps.sh >build/install-deps.log 2>&1 &
installing=$!
native=0
make --no-print-directory test-native || native=$?
if ! wait "$installing"; then
  cat build/install-deps.log >&2
  echo "test-all: installing the Windows build's packages failed" >&2
  exit 1
fi
cat build/install-deps.log
[ "$native" = 0 ] || exit "$native"
make --no-print-directory test-fuzz test-windows
