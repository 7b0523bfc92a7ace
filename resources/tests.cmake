# Registers the resource test. Include this file from tests/CMakeLists.txt
# (it needs gearloft_add_test from cmake/GearloftTesting.cmake, which is
# only there when the tests are built).
if(COMMAND gearloft_add_test AND TARGET gearloft_resources)
  gearloft_add_test(tst_resources
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_resources.cpp
    LIBS gearloft_resources Qt5::Gui Qt5::Widgets
    LABELS resources)
  target_compile_definitions(tst_resources PRIVATE
    GEARLOFT_RESOURCES_DIR="${CMAKE_CURRENT_LIST_DIR}")
endif()
