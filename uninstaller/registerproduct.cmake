# Run by `cmake --install`: writes the product's per-user uninstall entry
# (the INI registry store) naming the folder just installed.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
  message(STATUS "Packaging into DESTDIR: the installation is not registered")
  return()
endif()
if(NOT UNMOOR_PRODUCT_GUID)
  return()
endif()

get_filename_component(_prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(_data "$ENV{XDG_DATA_HOME}")
if(NOT IS_ABSOLUTE "${_data}")
  set(_data "$ENV{HOME}/.local/share")
endif()
set(_key "${_data}/Brelvonix/registry/HKEY_CURRENT_USER/SOFTWARE/Microsoft/Windows/CurrentVersion/Uninstall/${UNMOOR_PRODUCT_GUID}.ini")

# Quoted INI values keep commas, semicolons and spaces of a path intact.
function(_quoted out value)
  string(REPLACE "\\" "\\\\" value "${value}")
  string(REPLACE "\"" "\\\"" value "${value}")
  set(${out} "\"${value}\"" PARENT_SCOPE)
endfunction()
_quoted(_path "${_prefix}")
_quoted(_uninstaller "${_prefix}/Unmoor")

file(WRITE "${_key}" "[General]
DisplayName=Gearloft
DisplayVersion=${UNMOOR_PRODUCT_VERSION}
Publisher=Brelvonix
UninstallString=${_uninstaller}
installpath=${_path}
")
message(STATUS "Registered for uninstalling: ${_key}")
