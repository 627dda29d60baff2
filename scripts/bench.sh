#!/usr/bin/env bash
# Runs every benchmark program of the Windows build under Wine and prints its
# figures. Expects a Wine environment (make bench runs it through with-wine.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin="$root/build/windows/bin"
found=0
for exe in "$bin"/*_bench.exe; do
  [ -f "$exe" ] || continue
  found=1
  echo "== $(basename "$exe")"
  (cd "$bin" && timeout 600 wine "$(basename "$exe")")
done
if [ "$found" = 0 ]; then
  echo "bench: no benchmark programs in $bin (build the windows preset first)" >&2
  exit 1
fi
