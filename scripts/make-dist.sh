#!/usr/bin/env bash
# Lays out the program folder: the programs, the hook library, the default
# settings and the media, as an installation holds them.
set -euo pipefail
bin=$1
out=$2
# Laid out afresh, but for the setup and the zip that `make installer` and `make release`
# leave beside the program.
mkdir -p "$out"
find "$out" -mindepth 1 -maxdepth 1 ! -name 'rilto-setup-*.exe' ! -name 'rilto-*.zip' \
  -exec rm -rf {} +
for f in rilto32.exe shutdowntrigger.exe riltoctl.exe rsiorril.dll riltomultimedia.exe rilto32.reg; do
  [ -f "$bin/$f" ] && cp "$bin/$f" "$out/"
done
# The exercise media, as the build listed them in media.txt.
if [ -f "$bin/media.txt" ]; then
  while IFS= read -r f; do
    [ -n "$f" ] && cp "$bin/$f" "$out/"
  done <"$bin/media.txt"
fi
echo "make-dist: $(ls "$out" | tr '\n' ' ')"
