# Writes the setup's list of the program folder's files, as two NSIS macros: one that
# installs each file, one that removes each. Run by the build:
#   cmake -DFOLDER=<program folder> -DOUT=<file.nsh> -P list-files.cmake
file(GLOB entries RELATIVE "${FOLDER}" "${FOLDER}/*")
list(SORT entries)
if(NOT entries)
  message(FATAL_ERROR "${FOLDER} holds no files")
endif()
set(install "")
set(remove "")
foreach(name IN LISTS entries)
  if(IS_DIRECTORY "${FOLDER}/${name}")
    message(FATAL_ERROR "${FOLDER}/${name}: the program folder holds files only")
  endif()
  if(name MATCHES "[$\"]")
    message(FATAL_ERROR "${FOLDER}/${name}: a name NSIS would read as a variable or a quote")
  endif()
  string(APPEND install "  File \"${FOLDER}/${name}\"\n")
  string(APPEND remove "  Delete \"$INSTDIR\\${name}\"\n")
endforeach()
file(WRITE "${OUT}.new"
     "; Made by the build from ${FOLDER}.\n"
     "!macro RILTO_INSTALL_FILES\n${install}!macroend\n"
     "!macro RILTO_REMOVE_FILES\n${remove}!macroend\n")
file(RENAME "${OUT}.new" "${OUT}")
