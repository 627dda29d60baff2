# The Windows programs, the hook library and the Windows-side tests.
set(RILTO_BIN ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${RILTO_BIN})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${RILTO_BIN})

# One file per program: the C++ runtime and winpthreads linked in.
set(RILTO_STATIC_LINK -static -static-libgcc -static-libstdc++ -s)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

configure_file(${CMAKE_SOURCE_DIR}/src/shell/version.rc.in ${CMAKE_BINARY_DIR}/version.rc @ONLY)

add_executable(rilto32 WIN32 ${RILTO_WIN_SOURCES} ${CMAKE_SOURCE_DIR}/src/shell/rilto32.rc
                             ${CMAKE_BINARY_DIR}/version.rc)
# windres finds the icon on its include path.
target_include_directories(rilto32 PRIVATE ${CMAKE_SOURCE_DIR}/data/icon ${CMAKE_SOURCE_DIR}/src/shell)
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/shell/rilto32.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/data/icon/rilto.ico;${CMAKE_SOURCE_DIR}/src/shell/rilto32.manifest")
target_link_libraries(rilto32 PRIVATE rilto_core user32 gdi32 comctl32 comdlg32 shell32 winmm advapi32 ole32)
target_link_options(rilto32 PRIVATE -municode ${RILTO_STATIC_LINK})

add_executable(shutdowntrigger WIN32 src/trigger/shutdowntrigger_win.cpp)
target_link_libraries(shutdowntrigger PRIVATE trigger_core user32 advapi32)
target_link_options(shutdowntrigger PRIVATE -municode ${RILTO_STATIC_LINK})

file(GLOB HOOKLIB_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/hooklib/*.cpp)
if(HOOKLIB_SOURCES)
  add_library(rsiorril SHARED ${HOOKLIB_SOURCES} ${CMAKE_SOURCE_DIR}/src/hooklib/rsiorril.def)
  set_target_properties(rsiorril PROPERTIES PREFIX "" OUTPUT_NAME rsiorril)
  target_link_libraries(rsiorril PRIVATE user32)
  target_link_options(rsiorril PRIVATE ${RILTO_STATIC_LINK} -Wl,--kill-at)
endif()

file(GLOB COMPANION_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/companion/*.cpp)
if(COMPANION_SOURCES)
  add_executable(riltomultimedia WIN32 ${COMPANION_SOURCES})
  target_link_libraries(riltomultimedia PRIVATE winmm advapi32)
  target_link_options(riltomultimedia PRIVATE -municode ${RILTO_STATIC_LINK})
endif()

# The default-settings file sits beside the program.
configure_file(${CMAKE_SOURCE_DIR}/data/rilto32.reg ${RILTO_BIN}/rilto32.reg COPYONLY)

enable_testing()
add_subdirectory(tests/win)

if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()
