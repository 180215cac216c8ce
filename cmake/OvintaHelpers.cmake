# ovinta_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable per area; every test case becomes a CTest entry.
# The shared main (tests/common/TestMain.cpp) settles the environment: tests
# run headless, and their host folder is a copy of data/host in the build
# tree, so that files the editor writes (the default palette) never land in
# the sources.
set(OVINTA_TEST_HOST_FOLDER ${CMAKE_BINARY_DIR}/testhost)
file(MAKE_DIRECTORY ${OVINTA_TEST_HOST_FOLDER})
# Copied on every build, so an edited palette or program is what the tests see.
if(EXISTS ${CMAKE_SOURCE_DIR}/data/host)
  add_custom_target(test_host_folder ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data/host ${OVINTA_TEST_HOST_FOLDER})
endif()

function(ovinta_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${CMAKE_SOURCE_DIR}/tests/common/TestMain.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    OVINTA_TEST_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    OVINTA_TEST_BINARY_DIR="${CMAKE_BINARY_DIR}"
    OVINTA_TEST_HOST_FOLDER="${OVINTA_TEST_HOST_FOLDER}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    PROPERTIES TIMEOUT 120)
endfunction()
