# The user manual and the licences the help buttons open.
#
# The manual is written in HTML (docs/manual/) and rendered to the PDF files
# the buttons look for: the help pop-up opens its translated "/help.pdf"
# (help.pdf in English, help_zh.pdf in Chinese), the settings page the fixed
# "User Manual.PDF", which carries both languages. The HTML goes along too.
set(_manual_dir ${CMAKE_SOURCE_DIR}/docs/manual)
set(_manual_en ${_manual_dir}/manual_en.html)
set(_manual_zh ${_manual_dir}/manual_zh.html)
set(_manual_out ${CMAKE_BINARY_DIR}/manual)
# In a sanitizer build the renderer would fail the build over what Qt's
# platform plugin never frees at exit; leaks count in the tests, not here.
set(_manualpdf manualpdf)
if(GEARLOFT_SANITIZER STREQUAL "address")
  set(_manualpdf ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:manualpdf>)
endif()

add_custom_command(
  OUTPUT ${_manual_out}/help.pdf ${_manual_out}/help_zh.pdf "${_manual_out}/User Manual.PDF"
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_manual_out}
  COMMAND ${_manualpdf} ${_manual_out}/help.pdf ${_manual_en}
  COMMAND ${_manualpdf} ${_manual_out}/help_zh.pdf ${_manual_zh}
  COMMAND ${_manualpdf} "${_manual_out}/User Manual.PDF" ${_manual_en} ${_manual_zh}
  DEPENDS manualpdf ${_manual_en} ${_manual_zh}
  COMMENT "Rendering the user manual"
  VERBATIM)
add_custom_target(gearloft_manual ALL
  DEPENDS ${_manual_out}/help.pdf ${_manual_out}/help_zh.pdf "${_manual_out}/User Manual.PDF")
install(FILES ${_manual_out}/help.pdf ${_manual_out}/help_zh.pdf "${_manual_out}/User Manual.PDF"
        DESTINATION .)
install(FILES ${_manual_en} ${_manual_zh} DESTINATION manual)

# The licences of every library the installation carries or links, copied
# from the Debian packages that provide them, plus our own notice.
set(GEARLOFT_LICENSED_PACKAGES
  libqt5core5a libqt5gui5 libqt5widgets5 libqt5network5 libqt5xml5 libqt5svg5
  libqt5concurrent5 libqt5webenginecore5 libqt5webenginewidgets5
  libjsoncpp25 libcurl4 libarchive13 libssl3 libcpp-httplib-dev)
set(_licenses "Open Source Software Licenses")
foreach(_package IN LISTS GEARLOFT_LICENSED_PACKAGES)
  set(_copyright /usr/share/doc/${_package}/copyright)
  if(EXISTS ${_copyright})
    install(FILES ${_copyright} DESTINATION ${_licenses} RENAME ${_package}.txt)
  else()
    message(WARNING "No licence file for ${_package} (${_copyright}); the installation will lack it")
  endif()
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/packaging/licenses-readme.txt DESTINATION ${_licenses} RENAME README.txt)
