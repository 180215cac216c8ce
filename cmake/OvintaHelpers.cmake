# ovinta_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable per area; every test case becomes a CTest entry.
# Tests run headless with the repository's data folder as the host folder.
function(ovinta_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    PROPERTIES
      ENVIRONMENT "OVINTA_DISPLAY=headless;OVINTA_SOURCE_DIR=${CMAKE_SOURCE_DIR};OVINTA_BINARY_DIR=${CMAKE_BINARY_DIR};ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
      TIMEOUT 120)
endfunction()
