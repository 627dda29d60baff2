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
# The exercise media, as the build listed them in media.txt.
if [ -f "$bin/media.txt" ]; then
  while IFS= read -r f; do
    [ -n "$f" ] && cp "$bin/$f" "$out/"
  done <"$bin/media.txt"
fi
echo "make-dist: $(ls "$out" | tr '\n' ' ')"
