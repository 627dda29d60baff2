#!/usr/bin/env bash
# Builds the fuzz targets (preset "fuzz", clang) and runs each for a while, then prints
# how many inputs each one ran. Fails when a target found an input that breaks it.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     e.g. scripts/fuzz.sh 60 registry_file
#
# SECONDS defaults to $FUZZ_SECONDS, else 60; FUZZ_JOBS targets run at once (default 2).
# Each target starts from its seed corpus in tests/fuzz/corpus/<target>/ and from what
# earlier runs found, kept under build/fuzz/corpus/<target>/; the inputs that break a
# target are written under build/fuzz/findings/<target>/, and never into the repository.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-${FUZZ_SECONDS:-60}}
[ $# -gt 0 ] && shift
jobs=${FUZZ_JOBS:-2}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz | grep -v -e '^\[' -e '^ninja: no work' || true
[ "${PIPESTATUS[0]}" = 0 ] || exit 1

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in tests/fuzz/*_fuzz.cpp; do
    name=$(basename "$source" .cpp)
    targets+=("${name%_fuzz}")
  done
fi

out=build/fuzz
mkdir -p "$out/logs"

run_target() {
  local target=$1
  local work="$out/corpus/$target" findings="$out/findings/$target"
  mkdir -p "$work" "$findings"
  local options=(-max_total_time="$seconds" -print_final_stats=1 -timeout=10
                 -artifact_prefix="$findings/")
  [ -f "tests/fuzz/$target.dict" ] && options+=(-dict="tests/fuzz/$target.dict")
  # New inputs go into the first folder only: the seed corpus stays as committed.
  "$out/bin/${target}_fuzz" "${options[@]}" "$work" "tests/fuzz/corpus/$target" \
    >"$out/logs/$target.log" 2>&1
}

pids=()
for target in "${targets[@]}"; do
  [ -x "$out/bin/${target}_fuzz" ] || { echo "fuzz: no target $target" >&2; exit 2; }
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
    wait -n || true
  done
  run_target "$target" &
  pids+=($!)
done

failed=()
for i in "${!targets[@]}"; do
  wait "${pids[$i]}" || failed+=("${targets[$i]}")
done

stat() { sed -n "s/^stat::$1: *//p" "$out/logs/$2.log" | tail -n 1; }
printf '%-16s %12s %10s\n' target runs runs/s
for target in "${targets[@]}"; do
  printf '%-16s %12s %10s\n' "$target" "$(stat number_of_executed_units "$target")" \
    "$(stat average_exec_per_sec "$target")"
done

for target in "${failed[@]}"; do
  echo
  echo "== $target found an input that breaks it (build/fuzz/findings/$target/):"
  grep -E 'property broken|ERROR: |SUMMARY: |runtime error|Test unit written' \
    "$out/logs/$target.log" | head -n 20
done
[ ${#failed[@]} -eq 0 ]
