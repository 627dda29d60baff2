#!/usr/bin/env bash
# Runs every benchmark and ends with one table of their figures. Expects a Wine
# environment (make bench runs it through with-wine.sh).
#
# The benchmarks: the native simulation (build/native-bench), every *_bench.exe of the
# Windows build run under Wine, and every scripts/bench-*.sh. Each prints its own figures
# and, for the table, one line per figure:
#   @figure <TAB> name <TAB> measured <TAB> goal <TAB> holds|FAILS
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin="$root/build/windows/bin"
native="$root/build/native-bench/tests/unit/simulation_bench"
figures=$(mktemp)
trap 'rm -f "$figures"' EXIT
failed=()

# Runs one benchmark, shows its output as it comes and keeps its table lines.
run() {
  local name=$1
  shift
  echo "== $name"
  "$@" 2>&1 | tee >(grep $'^@figure\t' >>"$figures") | grep -v $'^@figure\t'
  local status=${PIPESTATUS[0]}
  if [ "$status" != 0 ]; then
    echo "bench: $name ended with status $status" >&2
    failed+=("$name")
  fi
}

if [ -x "$native" ]; then
  run simulation_bench "$native"
else
  echo "bench: $native is missing (make bench builds it)" >&2
  failed+=(simulation_bench)
fi

found=0
for exe in "$bin"/*_bench.exe; do
  [ -f "$exe" ] || continue
  found=1
  run "$(basename "$exe")" sh -c 'cd "$1" && timeout 900 wine "$2"' - "$bin" "$(basename "$exe")"
done
if [ "$found" = 0 ]; then
  echo "bench: no benchmark programs in $bin (build the windows preset first)" >&2
  exit 1
fi

for script in "$root"/scripts/bench-*.sh; do
  [ -f "$script" ] || continue
  run "$(basename "$script")" sh -c 'cd "$1" && timeout 900 "$2"' - "$root" "$script"
done

# Let the last tee finish writing.
sleep 1
echo
echo "== Figures"
tr -d '\r' <"$figures" | awk -F'\t' '
  { name[NR] = $2; value[NR] = $3; goal[NR] = $4; verdict[NR] = $5
    if (length($2) > w1) w1 = length($2)
    if (length($3) > w2) w2 = length($3)
    if (length($4) > w3) w3 = length($4)
    if ($5 != "holds") fails++ }
  END {
    if (w1 < 6) w1 = 6; if (w2 < 8) w2 = 8; if (w3 < 4) w3 = 4
    line = sprintf("%-" w1 "s | %-" w2 "s | %-" w3 "s | %s", "figure", "measured", "goal", "holds")
    print line
    gsub(/[^|]/, "-", line); print line
    for (i = 1; i <= NR; i++)
      printf "%-" w1 "s | %-" w2 "s | %-" w3 "s | %s\n", name[i], value[i], goal[i], verdict[i] == "holds" ? "yes" : "NO"
    printf "\n%d figures, %d not holding\n", NR, fails
  }'
if [ ${#failed[@]} -gt 0 ]; then
  echo "bench: these benchmarks did not finish: ${failed[*]}" >&2
  exit 1
fi
