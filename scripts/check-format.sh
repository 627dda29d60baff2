#!/usr/bin/env bash
# Fails when clang-format (with the repository's .clang-format) would change a source
# file: `make format` leaves nothing for this to find.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -co --exclude-standard -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
    'bench/*.cpp' 'bench/*.h' | xargs -r clang-format --dry-run --Werror
