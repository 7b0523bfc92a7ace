# Run by cpack for each generator (CPACK_PROJECT_CONFIG_FILE).

# The Debian packages the programs link, found by dpkg-shlibdeps in the
# build tree: the .deb depends on them and the installer checks for them.
if(NOT DEFINED CPACK_GEARLOFT_DEPENDS)
  file(STRINGS "${CPACK_GEARLOFT_LINKED_PROGRAMS}" _programs)
  set(_work "${CPACK_GEARLOFT_BINARY_DIR}/packaging/shlibdeps")
  file(REMOVE_RECURSE "${_work}")
  file(MAKE_DIRECTORY "${_work}/debian")
  file(WRITE "${_work}/debian/control" "")
  list(TRANSFORM _programs PREPEND "-e")
  execute_process(COMMAND dpkg-shlibdeps -O --ignore-missing-info ${_programs}
    WORKING_DIRECTORY "${_work}" RESULT_VARIABLE _status OUTPUT_VARIABLE _out ERROR_VARIABLE _err)
  if(NOT _status EQUAL 0 OR NOT _out MATCHES "^shlibs:Depends=")
    message(FATAL_ERROR "dpkg-shlibdeps failed (apt-get install dpkg-dev): ${_err}")
  endif()
  string(REGEX REPLACE "^shlibs:Depends=" "" _out "${_out}")
  string(STRIP "${_out}" CPACK_GEARLOFT_DEPENDS)
  # The bare names for the installer's check: the first of each choice.
  string(REPLACE "," ";" _entries "${CPACK_GEARLOFT_DEPENDS}")
  set(CPACK_GEARLOFT_RUNTIME_PACKAGES)
  foreach(_entry IN LISTS _entries)
    string(REGEX REPLACE "\\|.*" "" _entry "${_entry}")
    string(REGEX REPLACE "\\(.*\\)" "" _entry "${_entry}")
    string(STRIP "${_entry}" _entry)
    list(APPEND CPACK_GEARLOFT_RUNTIME_PACKAGES "${_entry}")
  endforeach()
  list(REMOVE_DUPLICATES CPACK_GEARLOFT_RUNTIME_PACKAGES)
  list(JOIN CPACK_GEARLOFT_RUNTIME_PACKAGES " " CPACK_GEARLOFT_RUNTIME_PACKAGES)
endif()

if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX "/opt/gearloft")
  set(CPACK_INSTALL_PREFIX "/opt/gearloft")
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CPACK_GEARLOFT_DEPENDS}")
  # The installation without the uninstaller and its manifest (the package
  # manager removes what it installed) plus the package's own files (menu
  # entry, launcher, documentation, the layout mark).
  set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CPACK_GEARLOFT_BINARY_DIR};Gearloft;Unspecified;/"
    "${CPACK_GEARLOFT_BINARY_DIR};Gearloft;debian;/")
elseif(CPACK_GENERATOR STREQUAL "STGZ")
  # The archive holds the installation in its folder "Gearloft"; the header
  # puts its files into the user's folder.
  set(CPACK_PACKAGING_INSTALL_PREFIX "/Gearloft")
  set(CPACK_INSTALL_PREFIX "/Gearloft")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_GEARLOFT_BINARY_DIR};Gearloft;ALL;/")
endif()
