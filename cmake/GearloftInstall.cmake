# The installation is one flat folder (see docs/installation.md): programs at
# its top, helpers in sub-folders, no bin/ or lib/.
set(GEARLOFT_INSTALL_ROOT ".")
set(CMAKE_INSTALL_RPATH "$ORIGIN")

install(FILES ${CMAKE_SOURCE_DIR}/resources/Setup.xml DESTINATION .)
