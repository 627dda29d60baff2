# The Windows programs, the hook library and the Windows-side tests.
set(RILTO_BIN ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${RILTO_BIN})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${RILTO_BIN})

# One file per program: the C++ runtime and winpthreads linked in.
set(RILTO_STATIC_LINK -static -static-libgcc -static-libstdc++ -s)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

# The C++ runtime's terminate handler without its demangler: linked into a program
# itself, never taken from a library (see the file).
set(RILTO_TERMINATE_HANDLER ${CMAKE_SOURCE_DIR}/src/common/terminate_handler_win.cpp)
list(REMOVE_ITEM RILTO_COMMON_WIN_SOURCES ${RILTO_TERMINATE_HANDLER})

# The Win32 floor: handle owners, text conversion, window plumbing.
add_library(rilto_common_win STATIC ${RILTO_COMMON_WIN_SOURCES})
target_link_libraries(rilto_common_win PUBLIC rilto_common user32 gdi32 advapi32)

# Each program's manifest (asInvoker, per-monitor DPI, common controls 6) and version.
function(rilto_program_resources target description)
  get_target_property(type ${target} TYPE)
  set(RILTO_PROGRAM ${target})
  set(RILTO_PROGRAM_DESCRIPTION ${description})
  set(RILTO_PROGRAM_MANIFEST ${CMAKE_BINARY_DIR}/resources/${target}.manifest)
  if(type STREQUAL "SHARED_LIBRARY")
    set(RILTO_PROGRAM_IS_EXE 0)
    set(RILTO_PROGRAM_FILE ${target}.dll)
    set(RILTO_PROGRAM_FILETYPE VFT_DLL)
  else()
    set(RILTO_PROGRAM_IS_EXE 1)
    set(RILTO_PROGRAM_FILE ${target}.exe)
    set(RILTO_PROGRAM_FILETYPE VFT_APP)
  endif()
  configure_file(${CMAKE_SOURCE_DIR}/src/common/program.manifest.in ${RILTO_PROGRAM_MANIFEST} @ONLY)
  set(rc ${CMAKE_BINARY_DIR}/resources/${target}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/src/common/program.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${RILTO_PROGRAM_MANIFEST})
  target_sources(${target} PRIVATE ${rc})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/src)
endfunction()

# The Win32 side of each subsystem, floor on floor; the shell's is the program itself.
set(below rilto_common_win)
foreach(dir engine exercise settings statistics)
  if(RILTO_${dir}_WIN_SOURCES)
    add_library(rilto_${dir}_win STATIC ${RILTO_${dir}_WIN_SOURCES})
    target_link_libraries(rilto_${dir}_win PUBLIC rilto_core ${below} comctl32 shell32
                                                  ole32 version wtsapi32)
    set(below rilto_${dir}_win)
  endif()
endforeach()

add_executable(rilto32 WIN32 ${RILTO_shell_WIN_SOURCES} ${CMAKE_SOURCE_DIR}/src/shell/rilto32.rc
                            ${RILTO_TERMINATE_HANDLER})
# windres finds the icon on its include path.
target_include_directories(rilto32 PRIVATE ${CMAKE_SOURCE_DIR}/data/icon ${CMAKE_SOURCE_DIR}/data/about
                                          ${CMAKE_SOURCE_DIR}/src/shell)
# The pictures the resource script takes in: the program icon, its paused form, the About art.
set(RILTO_RESOURCE_PICTURES ${CMAKE_SOURCE_DIR}/data/icon/rilto.ico
    ${CMAKE_SOURCE_DIR}/data/icon/rilto-paused.ico ${CMAKE_SOURCE_DIR}/data/about/about.bmp)
# windres leaves no list of the files it read: the dialogs' scripts and their ids are
# named here, so that a change to one builds the program's resources again.
file(GLOB RILTO_RESOURCE_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/*.rc
     ${CMAKE_SOURCE_DIR}/src/*/*_ids.h ${CMAKE_SOURCE_DIR}/src/shell/resource.h
     ${CMAKE_SOURCE_DIR}/src/common/resource_ids.h)
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/shell/rilto32.rc PROPERTIES
  OBJECT_DEPENDS "${RILTO_RESOURCE_PICTURES};${RILTO_RESOURCE_SCRIPTS}")
target_link_libraries(rilto32 PRIVATE ${below})
# Sections on whole pages in the file, so that the system can map the program's image
# from the file instead of copying it into memory of its own (Wine copies an image
# whose sections are not page-aligned in the file), at the cost of a few KB of padding.
set(RILTO_PAGE_ALIGNED_FILE -Wl,--file-alignment,4096)
target_link_options(rilto32 PRIVATE -municode ${RILTO_STATIC_LINK} -Wl,--gc-sections
                                    ${RILTO_PAGE_ALIGNED_FILE})
rilto_program_resources(rilto32 "Rilto Micropause")
# The program and the floors it is made of are built for size: the release build's -O3
# inlines and unrolls the strings, vectors and functions of every file, which made the
# program's code more than twice as large for no speed a tray program needs
# (scripts/size-breakdown.sh lists what each object and library adds).
# -ffunction-sections with --gc-sections takes nothing more away: the linker keeps every
# function's unwind entry (.pdata), and with it the function. Link-time optimisation
# would take some 80 KB more, but this GCC 12 stops in it with an internal compiler error
# unless its partitioning is turned off (-flto-partition=one).
foreach(t rilto_common rilto_core rilto_common_win rilto_engine_win rilto_exercise_win
          rilto_settings_win rilto_statistics_win rilto32)
  target_compile_options(${t} PRIVATE -Os)
endforeach()
# Windows' headers and the standard library's are most of each Win32 file's compile
# time: they are read once, precompiled, for the program and its floors, which share
# their options.
target_precompile_headers(rilto_common_win PRIVATE <windows.h> <algorithm> <functional>
                          <memory> <optional> <string> <vector>)
foreach(t rilto_engine_win rilto_exercise_win rilto_settings_win rilto_statistics_win rilto32)
  target_precompile_headers(${t} REUSE_FROM rilto_common_win)
endforeach()

# The small programs: a trigger that posts one message, the hook library, and the
# first-run companion. Built for size and without exceptions or run-time type
# information, which none of them uses: the exception runtime alone brings the
# threads library and the demangler, several times what each program needs.
set(RILTO_SMALL_PROGRAM_OPTIONS -Os -fno-exceptions -fno-rtti)

add_executable(shutdowntrigger WIN32 ${CMAKE_SOURCE_DIR}/src/trigger/shutdowntrigger_win.cpp)
target_compile_options(shutdowntrigger PRIVATE ${RILTO_SMALL_PROGRAM_OPTIONS})
target_link_libraries(shutdowntrigger PRIVATE rilto_common user32 advapi32)
target_link_options(shutdowntrigger PRIVATE -municode ${RILTO_STATIC_LINK} -Wl,--gc-sections)
rilto_program_resources(shutdowntrigger "Ends a running Rilto Micropause")

# riltoctl, a console program: the trigger's way to the running copy, and the few files
# of the floors it reads requests and answers with, compiled with the small programs'
# options rather than linked from the floors' libraries, which are built with exceptions.
add_executable(riltoctl ${CMAKE_SOURCE_DIR}/src/trigger/riltoctl_win.cpp
                        ${CMAKE_SOURCE_DIR}/src/trigger/console_output_win.cpp
                        ${CMAKE_SOURCE_DIR}/src/companion/runtime_without_exceptions_win.cpp
                        ${CMAKE_SOURCE_DIR}/src/common/control_command.cpp
                        ${CMAKE_SOURCE_DIR}/src/common/text.cpp
                        ${CMAKE_SOURCE_DIR}/src/common/tray_handle.cpp)
target_compile_options(riltoctl PRIVATE ${RILTO_SMALL_PROGRAM_OPTIONS} -fno-threadsafe-statics)
target_link_libraries(riltoctl PRIVATE user32 advapi32)
target_link_options(riltoctl PRIVATE -municode -mconsole ${RILTO_STATIC_LINK} -Wl,--gc-sections)
rilto_program_resources(riltoctl "Commands to a running Rilto Micropause")

add_library(rsiorril SHARED ${CMAKE_SOURCE_DIR}/src/hooklib/rsiorril.cpp
                            ${CMAKE_SOURCE_DIR}/src/hooklib/rsiorril.def)
set_target_properties(rsiorril PROPERTIES PREFIX "" OUTPUT_NAME rsiorril)
target_compile_options(rsiorril PRIVATE ${RILTO_SMALL_PROGRAM_OPTIONS})
target_link_libraries(rsiorril PRIVATE user32)
target_link_options(rsiorril PRIVATE ${RILTO_STATIC_LINK} -Wl,--kill-at)
rilto_program_resources(rsiorril "Rilto Micropause activity hook")

# The companion compiles the few files of the floors it uses for itself, with the
# small programs' options, rather than linking the floors' libraries: those are built
# with exceptions. It runs on one thread, so its local statics need no guard.
set(RILTO_COMPANION_SOURCES
    ${CMAKE_SOURCE_DIR}/src/companion/riltomultimedia_win.cpp
    ${CMAKE_SOURCE_DIR}/src/companion/runtime_without_exceptions_win.cpp)
foreach(f common/name_case.cpp common/name_case_table.cpp common/options.cpp common/paths.cpp
          common/program_folder_win.cpp common/registry_settings_store_win.cpp
          common/settings_loader.cpp common/text.cpp common/wide_text_win.cpp
          exercise/exercise_media.cpp exercise/exercise_table.cpp exercise/media_check.cpp
          exercise/scheme_store.cpp)
  list(APPEND RILTO_COMPANION_SOURCES ${CMAKE_SOURCE_DIR}/src/${f})
endforeach()
add_executable(riltomultimedia WIN32 ${RILTO_COMPANION_SOURCES})
target_compile_options(riltomultimedia PRIVATE ${RILTO_SMALL_PROGRAM_OPTIONS}
                                               -fno-threadsafe-statics)
target_link_libraries(riltomultimedia PRIVATE user32 winmm advapi32)
target_link_options(riltomultimedia PRIVATE -municode ${RILTO_STATIC_LINK} -Wl,--gc-sections)
rilto_program_resources(riltomultimedia "Rilto Micropause first-run check")

# Each shipped file is measured when it or its limit changes; the build fails while one
# is over its limit (the limits are in check_size.cmake).
include(${CMAKE_SOURCE_DIR}/cmake/check_size.cmake)
foreach(entry IN LISTS RILTO_SIZE_LIMITS)
  string(REGEX REPLACE "\\..*$" "" target ${entry})
  set(stamp ${CMAKE_BINARY_DIR}/size_checks/${target}.within_limit)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DFILE=$<TARGET_FILE:${target}>
            -P ${CMAKE_SOURCE_DIR}/cmake/check_size.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${target} ${CMAKE_SOURCE_DIR}/cmake/check_size.cmake VERBATIM)
  add_custom_target(${target}_size ALL DEPENDS ${stamp})
endforeach()

# The default settings with the built-in exercise schemes, and the exercise media they
# name, made from the sources under data/ and put beside the program.
include(${CMAKE_SOURCE_DIR}/cmake/media.cmake)
# The setup and the zip of the program folder.
include(${CMAKE_SOURCE_DIR}/cmake/installer.cmake)

enable_testing()
add_subdirectory(tests/win)
add_subdirectory(bench)
