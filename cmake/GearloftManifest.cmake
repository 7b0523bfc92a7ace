# `cmake --install` ends by writing DIR/.gearloft-manifest: every file the
# installation put down, one path a line relative to DIR, sorted, after the
# line "gearloft-manifest 1" (the format libs/installmanifest reads). The
# uninstaller removes exactly these files and leaves whatever came later.
#
# Included at the very end of the top-level CMakeLists.txt: under CMP0082
# the install rules of the subdirectories run interleaved in declaration
# order, so this rule sees all of theirs in CMAKE_INSTALL_MANIFEST_FILES.
cmake_policy(GET CMP0082 _gearloft_cmp0082)
if(NOT _gearloft_cmp0082 STREQUAL "NEW")
  message(FATAL_ERROR "CMP0082 must be NEW: the manifest rule has to run after every subdirectory's rules")
endif()

# Installing into DESTDIR writes the manifest there too, its paths relative
# to the prefix: the package then carries the list to the installed folder.
# Only the uninstaller reads it, so it belongs to the uninstaller's component
# (the Debian package has neither).
install(CODE [=[
  # CMake records the installed files without DESTDIR.
  set(_root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  set(_manifest "${_root}/.gearloft-manifest")
  set(_entries)
  foreach(_file IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
    file(RELATIVE_PATH _relative "${CMAKE_INSTALL_PREFIX}" "${_file}")
    if(NOT _relative MATCHES "^\\.\\./" AND NOT _relative STREQUAL ".gearloft-manifest"
       AND NOT IS_ABSOLUTE "${_relative}")
      list(APPEND _entries "${_relative}")
    endif()
  endforeach()
  # Reinstalling over an older release keeps its files that are still
  # there on the list, so that they go with the rest.
  if(EXISTS "${_manifest}")
    file(STRINGS "${_manifest}" _old ENCODING UTF-8)
    list(POP_FRONT _old _format)
    if(_format STREQUAL "gearloft-manifest 1")
      foreach(_relative IN LISTS _old)
        if(NOT IS_ABSOLUTE "${_relative}" AND NOT _relative MATCHES "(^|/)\\.\\.?(/|$)"
           AND (EXISTS "${_root}/${_relative}" OR IS_SYMLINK "${_root}/${_relative}"))
          list(APPEND _entries "${_relative}")
        endif()
      endforeach()
    endif()
  endif()
  list(REMOVE_DUPLICATES _entries)
  list(SORT _entries)
  list(JOIN _entries "\n" _text)
  # A temporary file renamed over the old one: never half a list.
  file(WRITE "${_manifest}.tmp" "gearloft-manifest 1\n${_text}\n")
  file(RENAME "${_manifest}.tmp" "${_manifest}")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_PREFIX}/.gearloft-manifest")
  message(STATUS "Writing manifest: ${_manifest}")
]=] COMPONENT uninstaller)
