# How large each shipped file may be, in bytes (a KB is 1024 bytes). The program itself
# carries its pictures; the small ones post a message, carry a command, record input times
# or check a folder, and must not carry the C++ library's streams, locales or exception runtime.
#
# Included, this names the limits: RILTO_SIZE_LIMITS, entries FILE=BYTES. Run as a
# script with -DFILE=<path of a built file>, it fails when the file is over its limit
# (the build does so for each file, and again whenever a limit changes).
# Run with -DBIN=<folder of the built files>, it prints the benchmark table's line for
# each file instead.
set(RILTO_SIZE_LIMITS
    rilto32.exe=1048576
    riltomultimedia.exe=131072
    shutdowntrigger.exe=65536
    riltoctl.exe=65536
    rsiorril.dll=65536)

if(NOT CMAKE_SCRIPT_MODE_FILE)
  return()
endif()

function(limit_of name out)
  foreach(entry IN LISTS RILTO_SIZE_LIMITS)
    string(REPLACE "=" ";" pair ${entry})
    list(GET pair 0 file)
    if(file STREQUAL name)
      list(GET pair 1 limit)
      set(${out} ${limit} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "${name} has no size limit in cmake/check_size.cmake")
endfunction()

# Kilobytes with one decimal, from whole bytes.
function(kilobytes bytes out)
  math(EXPR tenths "(${bytes} * 10 + 512) / 1024")
  math(EXPR whole "${tenths} / 10")
  math(EXPR tenth "${tenths} % 10")
  set(${out} "${whole}.${tenth} KB" PARENT_SCOPE)
endfunction()

# The table's line for one file, on stdout (message() writes to stderr).
function(print_figure path name limit)
  set(verdict FAILS)
  if(EXISTS "${path}")
    file(SIZE "${path}" size)
    kilobytes(${size} measured)
    if(NOT size GREATER limit)
      set(verdict holds)
    endif()
  else()
    set(measured "not built")
  endif()
  kilobytes(${limit} limit_kb)
  string(ASCII 9 tab)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo
                  "@figure${tab}size of ${name}${tab}${measured}${tab}at most ${limit_kb}${tab}${verdict}")
endfunction()

if(BIN)
  foreach(entry IN LISTS RILTO_SIZE_LIMITS)
    string(REPLACE "=" ";" pair ${entry})
    list(GET pair 0 name)
    list(GET pair 1 limit)
    print_figure("${BIN}/${name}" ${name} ${limit})
  endforeach()
  return()
endif()

get_filename_component(name "${FILE}" NAME)
limit_of(${name} limit)
file(SIZE "${FILE}" size)
if(size GREATER limit)
  message(FATAL_ERROR "${name} is ${size} bytes, over its limit of ${limit}")
endif()
