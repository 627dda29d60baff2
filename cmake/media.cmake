# The exercise media and the default settings, made at build time from data/:
# scripts/make-media.py draws every exercise of data/exercises/ into the program
# folder (videos and pictures under bare names, beside rilto32.exe, plus media.txt
# that lists them) and a contact sheet into build/screenshots/;
# scripts/make-default-settings.py writes rilto32.reg from data/schemes.json.
# Needs ffmpeg and Python 3 with pycairo (Debian: ffmpeg, python3-cairo), which
# scripts/install-deps.sh installs. Expects RILTO_BIN, the program folder.

file(GLOB RILTO_EXERCISE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/exercises/*.json)
# The output names are read from the exercise files, so a change to one of them
# configures anew.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${RILTO_EXERCISE_FILES})

# Debian's python3-cairo belongs to /usr/bin/python3, which a pyenv or venv
# python3 earlier on PATH may hide: take the first interpreter that has it.
if(NOT RILTO_MEDIA_PYTHON)
  find_package(Python3 COMPONENTS Interpreter)
  foreach(candidate ${Python3_EXECUTABLE} /usr/bin/python3)
    if(EXISTS ${candidate})
      execute_process(COMMAND ${candidate} -c "import cairo"
                      RESULT_VARIABLE has_cairo OUTPUT_QUIET ERROR_QUIET)
      if(has_cairo EQUAL 0)
        set(RILTO_MEDIA_PYTHON ${candidate} CACHE FILEPATH "Python 3 with pycairo, for the media")
        break()
      endif()
    endif()
  endforeach()
endif()
find_program(RILTO_FFMPEG ffmpeg)
find_program(RILTO_FFPROBE ffprobe)
if(NOT RILTO_MEDIA_PYTHON OR NOT RILTO_FFMPEG OR NOT RILTO_FFPROBE)
  message(FATAL_ERROR "The exercise media need ffmpeg and Python 3 with pycairo: "
                      "run scripts/install-deps.sh (Debian packages ffmpeg, python3-cairo)")
endif()

set(RILTO_MEDIA_FILES)
foreach(exercise IN LISTS RILTO_EXERCISE_FILES)
  file(READ ${exercise} text)
  string(JSON media ERROR_VARIABLE problem GET "${text}" file)
  if(problem)
    message(FATAL_ERROR "${exercise}: ${problem}")
  endif()
  list(APPEND RILTO_MEDIA_FILES ${RILTO_BIN}/${media})
endforeach()

set(RILTO_MEDIA_SHEET ${CMAKE_SOURCE_DIR}/build/screenshots/exercises.png)
add_custom_command(
  OUTPUT ${RILTO_MEDIA_FILES} ${RILTO_BIN}/media.txt ${RILTO_MEDIA_SHEET}
  COMMAND ${RILTO_MEDIA_PYTHON} ${CMAKE_SOURCE_DIR}/scripts/make-media.py
          --data ${CMAKE_SOURCE_DIR}/data --out ${RILTO_BIN} --sheet ${RILTO_MEDIA_SHEET}
          --ffmpeg ${RILTO_FFMPEG} --ffprobe ${RILTO_FFPROBE}
          --cache ${CMAKE_BINARY_DIR}/media-cache
  DEPENDS ${RILTO_EXERCISE_FILES} ${CMAKE_SOURCE_DIR}/scripts/make-media.py
  COMMENT "Drawing the exercise media"
  VERBATIM)

add_custom_command(
  OUTPUT ${RILTO_BIN}/rilto32.reg
  COMMAND ${RILTO_MEDIA_PYTHON} ${CMAKE_SOURCE_DIR}/scripts/make-default-settings.py
          --data ${CMAKE_SOURCE_DIR}/data --out ${RILTO_BIN}/rilto32.reg
  DEPENDS ${CMAKE_SOURCE_DIR}/data/schemes.json ${RILTO_EXERCISE_FILES}
          ${CMAKE_SOURCE_DIR}/scripts/make-default-settings.py
  COMMENT "Writing the default settings"
  VERBATIM)

add_custom_target(rilto_media ALL
  DEPENDS ${RILTO_MEDIA_FILES} ${RILTO_BIN}/media.txt ${RILTO_MEDIA_SHEET} ${RILTO_BIN}/rilto32.reg)

# The generators' own checks: drawing, keyframes, the .reg writer, the scheme rules.
enable_testing()
add_test(NAME media_scripts COMMAND ${RILTO_MEDIA_PYTHON} ${CMAKE_SOURCE_DIR}/scripts/test-media.py)
