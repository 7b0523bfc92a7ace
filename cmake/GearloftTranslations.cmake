# gearloft_translation_sources(TARGET <name> TS_FILES <.ts ...> SOURCE_DIRS <dir ...>)
#
# Names the folders whose tr() texts belong in a program's .ts files. The
# target refreshes the files from them (run by hand after changing texts);
# the translation test refreshes copies from the same folders, so a text
# added anywhere in them without a finished translation fails the suite.
# SOURCE_DIRS are relative to the source tree's root.
function(gearloft_translation_sources)
  cmake_parse_arguments(T "" "TARGET" "TS_FILES;SOURCE_DIRS" ${ARGN})
  add_custom_target(${T_TARGET}
    COMMAND Qt5::lupdate -locations none -no-obsolete ${T_SOURCE_DIRS} -ts ${T_TS_FILES}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    COMMENT "Refreshing the translation sources of ${T_TARGET}")
  # One line per program for the test: .ts files, then folders.
  string(JOIN "," files ${T_TS_FILES})
  string(JOIN "," dirs ${T_SOURCE_DIRS})
  set_property(GLOBAL APPEND PROPERTY GEARLOFT_TRANSLATION_SETS "${files}|${dirs}")
endfunction()
