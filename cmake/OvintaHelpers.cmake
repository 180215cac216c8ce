# ovinta_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable per area; every test case becomes a CTest entry.
# Tests run headless. Their host folder is a copy of data/host in the build
# tree, so that files the editor writes (the default palette) never land in
# the sources.
function(ovinta_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    PROPERTIES
      ENVIRONMENT "OVINTA_DISPLAY=headless;OVINTA_SOURCE_DIR=${CMAKE_SOURCE_DIR};OVINTA_BINARY_DIR=${CMAKE_BINARY_DIR};OVINTA_HOST_FOLDER=${OVINTA_TEST_HOST_FOLDER};ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
      TIMEOUT 120)
endfunction()

set(OVINTA_TEST_HOST_FOLDER ${CMAKE_BINARY_DIR}/testhost)
if(EXISTS ${CMAKE_SOURCE_DIR}/data/host)
  file(COPY ${CMAKE_SOURCE_DIR}/data/host/ DESTINATION ${OVINTA_TEST_HOST_FOLDER})
else()
  file(MAKE_DIRECTORY ${OVINTA_TEST_HOST_FOLDER})
endif()
