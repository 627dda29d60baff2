# What a Windows user downloads, made from the program folder:
#   installer  bin/rilto-setup-<version>.exe, a per-user setup made by NSIS (makensis,
#              Debian package nsis, which scripts/install-deps.sh installs)
#   release    release/rilto-<version>.zip, the program folder as a zip
# Both start from the program folder laid out by scripts/make-dist.sh, as `make dist`
# lays it out, in release/<product title>/. Expects RILTO_BIN, and RILTO_MEDIA_FILES and
# RILTO_FFMPEG from cmake/media.cmake.

find_program(RILTO_MAKENSIS makensis)
if(NOT RILTO_MAKENSIS)
  message(FATAL_ERROR "The installer needs makensis: run scripts/install-deps.sh (Debian package nsis)")
endif()

# The facts the setup shares with the programs, read from where the programs get them.
file(READ ${CMAKE_SOURCE_DIR}/src/common/product.h product_h)
function(rilto_product_fact var pattern)
  if(NOT product_h MATCHES "${pattern}")
    message(FATAL_ERROR "src/common/product.h: no match for ${pattern}")
  endif()
  set(${var} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()
rilto_product_fact(RILTO_TITLE "#define RILTO_PRODUCT_TITLE \"([^\"]+)\"")
rilto_product_fact(RILTO_HOOK_CLASS "#define RILTO_HOOK_CLASS \"([^\"]+)\"")
rilto_product_fact(store_prefix "#define RILTO_STORE_ROOT \"([^\"]+)\" RILTO_PRODUCT_TITLE")
rilto_product_fact(RILTO_KEY_SHUTDOWN "kKeyShutdown = ([0-9]+);")
# The C literal's doubled backslashes become single ones.
string(REPLACE "\\\\" "\\" store_prefix "${store_prefix}")
set(RILTO_STORE_ROOT "${store_prefix}${RILTO_TITLE}")
string(REGEX REPLACE "\\\\$" "" RILTO_STORE_PARENT "${store_prefix}")
# The publisher is the company of the programs' version resources.
file(READ ${CMAKE_SOURCE_DIR}/src/common/program.rc.in program_rc)
if(NOT program_rc MATCHES "VALUE \"CompanyName\", \"([^\"]+)\"")
  message(FATAL_ERROR "src/common/program.rc.in: no CompanyName")
endif()
set(RILTO_PUBLISHER "${CMAKE_MATCH_1}")
# Read here, so a change to either configures anew.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/src/common/product.h ${CMAKE_SOURCE_DIR}/src/common/program.rc.in)

set(RILTO_RELEASE_DIR ${CMAKE_BINARY_DIR}/release)
set(RILTO_STAGE "${RILTO_RELEASE_DIR}/${RILTO_TITLE}")
set(RILTO_STAGE_LIST ${RILTO_RELEASE_DIR}/files.nsh)
set(RILTO_SETUP_NAME rilto-setup-${PROJECT_VERSION}.exe)
set(RILTO_SETUP ${RILTO_BIN}/${RILTO_SETUP_NAME})
set(RILTO_ZIP ${RILTO_RELEASE_DIR}/rilto-${PROJECT_VERSION}.zip)

set(program_files
    $<TARGET_FILE:rilto32> $<TARGET_FILE:shutdowntrigger> $<TARGET_FILE:riltoctl>
    $<TARGET_FILE:rsiorril>
    $<TARGET_FILE:riltomultimedia> ${RILTO_BIN}/rilto32.reg ${RILTO_BIN}/media.txt
    ${RILTO_MEDIA_FILES})

# The program folder, and the list of its files that the setup installs and its
# uninstaller removes, one by one: the uninstaller never removes a folder wholesale, as
# the user may have installed into one that holds other files.
add_custom_command(
  OUTPUT ${RILTO_STAGE_LIST}
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-dist.sh ${RILTO_BIN} ${RILTO_STAGE}
  COMMAND ${CMAKE_COMMAND} -DFOLDER=${RILTO_STAGE} -DOUT=${RILTO_STAGE_LIST}
          -P ${CMAKE_SOURCE_DIR}/installer/list-files.cmake
  DEPENDS ${program_files} rilto32 shutdowntrigger riltoctl rsiorril riltomultimedia rilto_media
          ${CMAKE_SOURCE_DIR}/scripts/make-dist.sh ${CMAKE_SOURCE_DIR}/installer/list-files.cmake
  COMMENT "Laying out the program folder for the release"
  VERBATIM)

# The picture beside the welcome and finish pages (164 x 314): the About box's, on its
# own background, standing at the bottom.
set(RILTO_WIZARD_BITMAP ${RILTO_RELEASE_DIR}/wizard.bmp)
add_custom_command(
  OUTPUT ${RILTO_WIZARD_BITMAP}
  COMMAND ${RILTO_FFMPEG} -v error -y -f lavfi -i color=c=0xEAF1F4:s=164x314
          -i ${CMAKE_SOURCE_DIR}/data/about/about.bmp
          -filter_complex [1]crop=164:160:40:0[art]\;[0][art]overlay=0:H-h
          -frames:v 1 -pix_fmt bgr24 ${RILTO_WIZARD_BITMAP}
  DEPENDS ${CMAKE_SOURCE_DIR}/data/about/about.bmp
  COMMENT "Drawing the setup's welcome picture"
  VERBATIM)

add_custom_command(
  OUTPUT ${RILTO_SETUP}
  COMMAND ${RILTO_MAKENSIS} -V2 -WX -NOCD
          -DVERSION=${PROJECT_VERSION}
          -DVERSION_MAJOR=${PROJECT_VERSION_MAJOR}
          -DVERSION_MINOR=${PROJECT_VERSION_MINOR}
          -DPRODUCT=${RILTO_TITLE}
          -DPUBLISHER=${RILTO_PUBLISHER}
          -DHOOK_CLASS=${RILTO_HOOK_CLASS}
          -DKEY_SHUTDOWN=${RILTO_KEY_SHUTDOWN}
          -DSTORE_ROOT=${RILTO_STORE_ROOT}
          -DSTORE_PARENT=${RILTO_STORE_PARENT}
          -DPROGRAM_FOLDER=${RILTO_STAGE}
          -DFILE_LIST=${RILTO_STAGE_LIST}
          -DICON=${CMAKE_SOURCE_DIR}/data/icon/rilto.ico
          -DWIZARD_BITMAP=${RILTO_WIZARD_BITMAP}
          -DLICENSE=${CMAKE_SOURCE_DIR}/LICENSE
          -DOUTFILE=${RILTO_SETUP}
          ${CMAKE_SOURCE_DIR}/installer/rilto.nsi
  DEPENDS ${RILTO_STAGE_LIST} ${RILTO_WIZARD_BITMAP} ${CMAKE_SOURCE_DIR}/installer/rilto.nsi
          ${CMAKE_SOURCE_DIR}/data/icon/rilto.ico ${CMAKE_SOURCE_DIR}/LICENSE
  COMMENT "Making the setup ${RILTO_SETUP_NAME}"
  VERBATIM)
add_custom_target(installer DEPENDS ${RILTO_SETUP})

# The zip holds the folder itself, so that it unpacks into one folder of its own.
add_custom_command(
  OUTPUT ${RILTO_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${RILTO_ZIP}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${RILTO_ZIP} --format=zip ${RILTO_TITLE}
  DEPENDS ${RILTO_STAGE_LIST}
  WORKING_DIRECTORY ${RILTO_RELEASE_DIR}
  COMMENT "Zipping the program folder into rilto-${PROJECT_VERSION}.zip"
  VERBATIM)
add_custom_target(release DEPENDS ${RILTO_ZIP} ${RILTO_SETUP})
