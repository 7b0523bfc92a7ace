# One place that turns a QtTest source into a ctest entry with the
# environment every test shares: headless Qt, a UTF-8 locale and a private
# runtime folder.
set(GEARLOFT_TEST_RUNTIME_DIR "${CMAKE_BINARY_DIR}/test-runtime")
file(MAKE_DIRECTORY "${GEARLOFT_TEST_RUNTIME_DIR}")
file(CHMOD "${GEARLOFT_TEST_RUNTIME_DIR}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

set(GEARLOFT_STAGE_DIR "${CMAKE_BINARY_DIR}/stage")

# Every test and every program it starts writes its sanitizer reports into
# one folder, so that a report from a child process counts as well:
# .ci/run fails when the folder holds anything after the run.
set(GEARLOFT_TEST_ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${GEARLOFT_TEST_RUNTIME_DIR};XDG_STATE_HOME=${CMAKE_BINARY_DIR}/test-state;LC_ALL=C.UTF-8;QT_QUICK_BACKEND=software;QTWEBENGINE_DISABLE_SANDBOX=1")
set(GEARLOFT_SANITIZER_REPORTS "${CMAKE_BINARY_DIR}/sanitizer-reports")
set(_supp "${CMAKE_SOURCE_DIR}/.ci/sanitizers")
if(GEARLOFT_SANITIZER STREQUAL "address")
  list(APPEND GEARLOFT_TEST_ENVIRONMENT
    "ASAN_OPTIONS=log_path=${GEARLOFT_SANITIZER_REPORTS}/asan:detect_leaks=1:check_initialization_order=1"
    "LSAN_OPTIONS=suppressions=${_supp}/lsan.supp:print_suppressions=0"
    "UBSAN_OPTIONS=log_path=${GEARLOFT_SANITIZER_REPORTS}/ubsan:print_stacktrace=1:halt_on_error=1:suppressions=${_supp}/ubsan.supp")
elseif(GEARLOFT_SANITIZER STREQUAL "thread")
  list(APPEND GEARLOFT_TEST_ENVIRONMENT
    "TSAN_OPTIONS=log_path=${GEARLOFT_SANITIZER_REPORTS}/tsan:halt_on_error=0:second_deadlock_stack=1:suppressions=${_supp}/tsan.supp")
endif()

# gearloft_add_test(NAME SOURCES ... LIBS ... [LABELS ...] [FIXTURES ...] [LOCKS ...] [TIMEOUT s])
# LOCKS gearloft_process: the test starts or expects processes named Gearloft,
# which keep every service on the machine alive; such tests never overlap.
function(gearloft_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS;FIXTURES;LOCKS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE gearloft_flags Qt5::Test Qt5::Core ${T_LIBS})
  target_compile_definitions(${name} PRIVATE
    GEARLOFT_STAGE_DIR="${GEARLOFT_STAGE_DIR}"
    GEARLOFT_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "${GEARLOFT_TEST_ENVIRONMENT}")
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
  if(T_LOCKS)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${T_LOCKS}")
  endif()
  if(T_FIXTURES)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${T_FIXTURES}")
  endif()
endfunction()
