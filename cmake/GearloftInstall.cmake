# The installation is one flat folder (see docs/installation.md): programs at
# its top, helpers in sub-folders, no bin/ or lib/.
set(GEARLOFT_INSTALL_ROOT ".")
set(CMAKE_INSTALL_RPATH "$ORIGIN")

install(FILES ${CMAKE_SOURCE_DIR}/resources/Setup.xml DESTINATION .)

# The publisher's Ed25519 public keys the installation trusts: every "*.pem"
# of this folder goes to trusted-keys/. With any there, the service takes
# only packages and version indexes that one of them signed. Empty: none,
# and nothing is checked. Read when installing, so that
#   cmake -DCMAKE_INSTALL_PREFIX=DIR -DGEARLOFT_TRUSTED_KEYS_DIR=KEYS -P BUILD/cmake_install.cmake
# makes an installation with other keys from the same build (the demo does).
set(GEARLOFT_TRUSTED_KEYS_DIR "" CACHE PATH
  "Folder of the publisher's public keys (PEM) the installation trusts; empty: no signature checks")
install(CODE "
  if(NOT DEFINED GEARLOFT_TRUSTED_KEYS_DIR)
    set(GEARLOFT_TRUSTED_KEYS_DIR [==[${GEARLOFT_TRUSTED_KEYS_DIR}]==])
  endif()
  if(NOT GEARLOFT_TRUSTED_KEYS_DIR STREQUAL \"\")
    file(GLOB _gearloft_keys \"\${GEARLOFT_TRUSTED_KEYS_DIR}/*.pem\")
    if(NOT _gearloft_keys)
      message(FATAL_ERROR \"no *.pem key in GEARLOFT_TRUSTED_KEYS_DIR \${GEARLOFT_TRUSTED_KEYS_DIR}\")
    endif()
    file(INSTALL \${_gearloft_keys} DESTINATION \"\${CMAKE_INSTALL_PREFIX}/trusted-keys\"
         PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  endif()
")
