#!/bin/sh
# What a Windows program is made of: links it again with a linker map (the build's own
# link command, its output and map put in a scratch folder) and sums the map's input
# sections per library (libstdc++, libgcc, winpthreads, the mingw CRT, the system's
# import libraries, our own objects, the resources) and per object file.
#
#   scripts/size-breakdown.sh [program [lines]]    e.g. scripts/size-breakdown.sh rilto32 40, or rsiorril
#   scripts/size-breakdown.sh --map <file.map> [lines]   a map made some other way
#
# Run from the repository root after the Windows build (build/windows); "lines" is how
# many of the largest objects to list (default 30). The sizes are the sections'
# contents before the file's alignment pads them: the file is larger by that padding.
set -eu

lines=30
if [ "${1:-}" = "--map" ]; then
    map=$2
    lines=${3:-$lines}
else
    program=${1:-rilto32}
    lines=${2:-$lines}
    build=${RILTO_BUILD:-build/windows}
    file=$program.exe
    [ -f "$build/bin/$program.dll" ] && file=$program.dll
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    # The build's link command, its output and implib moved to the scratch folder.
    command=$(cd "$build" && ninja -t commands "bin/$file" | tail -n 1)
    command=$(printf '%s\n' "$command" | sed -e "s#-o bin/$file#-o $scratch/$file -Wl,-Map=$scratch/$program.map#" \
        -e "s#-Wl,--out-implib,[^ ]*##")
    (cd "$build" && sh -c "$command")
    map=$scratch/$program.map
    size=$(wc -c <"$scratch/$file")
    echo "$file: $size bytes ($(( (size + 512) / 1024 )) KB) in the file"
fi

awk -v lines="$lines" '
function group(file) {
    if (file ~ /libstdc\+\+\.a/) return "libstdc++"
    if (file ~ /libgcc(_eh)?\.a|crtbegin\.o|crtend\.o/) return "libgcc"
    if (file ~ /libpthread\.a|libwinpthread/) return "libwinpthread"
    if (file ~ /libmingw32\.a|libmingwex\.a|libmsvcrt\.a|libmoldname\.a|crt2u?\.o|dllcrt2\.o/) return "mingw CRT"
    if (file ~ /\.res$/) return "resources"
    if (file ~ /\/lib\/lib[a-z0-9_]+\.a/) return "system import libraries"
    if (file ~ /librilto|CMakeFiles|ltrans/) return "our own objects"
    return "linker (" file ")"
}
function hex(s,    i, n, c) {
    n = 0; s = tolower(substr(s, 3))
    for (i = 1; i <= length(s); i++) n = n * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
    return n
}
function short(file) {
    sub(/^.*\/lib\//, "", file); sub(/^.*\/12-posix\//, "", file)
    sub(/^CMakeFiles\/[^\/]*\.dir\//, "", file)
    return file
}
function add(sec, size, file,    g) {
    g = group(file)
    bygroup[g] += size; bysec[g, sec] += size; secs[sec] = 1; total += size
    byobj[short(file)] += size; objgroup[short(file)] = g
}
/^Linker script and memory map/ { inmap = 1; next }
!inmap { next }
# An output section: its name at the start of the line.
/^\.[A-Za-z]/ { out = $1; pending = ""; next }
/^\/DISCARD\// { out = ""; next }
out == "" { next }
# An input section whose name fills its own line: its address, size and file follow.
/^ \.[^ ]+$/ { pending = $1; next }
/^ \.[^ ]+ +0x[0-9a-f]+ +0x[0-9a-f]+ / {
    size = hex($3); file = $4; for (i = 5; i <= NF; i++) file = file " " $i
    if (size > 0) add(out, size, file); pending = ""; next
}
pending != "" && /^ +0x[0-9a-f]+ +0x[0-9a-f]+ [^ ]/ {
    size = hex($2); file = $3; for (i = 4; i <= NF; i++) file = file " " $i
    if (size > 0) add(out, size, file); pending = ""; next
}
/^ \*fill\* +0x[0-9a-f]+ +0x[0-9a-f]+/ { fill += hex($3); next }
{ pending = "" }
END {
    printf "\n%-26s %9s", "library", "total"
    n = 0
    for (s in secs) order[++n] = s
    # Sections in a fixed order, the usual ones first.
    m = 0
    split(".text .rdata .data .pdata .xdata .bss .idata .CRT .tls .rsrc .reloc", usual, " ")
    for (i = 1; i in usual; i++) if (usual[i] in secs) { col[++m] = usual[i]; done[usual[i]] = 1 }
    for (i = 1; i <= n; i++) if (!(order[i] in done)) col[++m] = order[i]
    for (i = 1; i <= m; i++) printf " %8s", col[i]
    printf "\n"
    cmd = "sort -t \"\t\" -k2,2nr"
    for (g in bygroup) {
        line = sprintf("%-26s %9d", g, bygroup[g])
        for (i = 1; i <= m; i++) line = line sprintf(" %8d", bysec[g, col[i]])
        printf "%s\t%d\n", line, bygroup[g] | cmd
    }
    close(cmd)
    printf "%-26s %9d\n", "all", total
    printf "%-26s %9d  (alignment between input sections; .bss takes no room in the file)\n", "fill", fill
    printf "\nlargest objects (bytes, every section)\n"
    cmd = "sort -t \"\t\" -k1,1nr | head -n " lines " | cut -f 2-"
    for (o in byobj) printf "%d\t%9d  %-24s %s\n", byobj[o], byobj[o], objgroup[o], o | cmd
    close(cmd)
}' "$map" | sed 's/\t[0-9]*$//'
