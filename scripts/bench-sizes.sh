#!/bin/sh
# The size of each shipped file against its limit, one line of the benchmark table
# each; the limits are those the build checks (cmake/check_size.cmake). Run from the
# repository root after the Windows build.
exec cmake -DBIN="${RILTO_BIN:-build/windows/bin}" -P cmake/check_size.cmake
