#!/usr/bin/env bash
# Lays out the program folder: the programs, the hook library, the default
# settings and the media, as an installation holds them.
set -euo pipefail
bin=$1
out=$2
rm -rf "$out"
mkdir -p "$out"
for f in rilto32.exe shutdowntrigger.exe rsiorril.dll riltomultimedia.exe rilto32.reg; do
  [ -f "$bin/$f" ] && cp "$bin/$f" "$out/"
done
if [ -d "$bin/media" ]; then cp -r "$bin/media/." "$out/"; fi
echo "make-dist: $(ls "$out" | tr '\n' ' ')"
