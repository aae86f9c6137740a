# tonvisor_unit_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2)
# A GoogleTest executable, registered with CTest under the label "unit" and
# collected in the target unit-tests (what the sanitizer build runs).
find_package(GTest REQUIRED)
include(GoogleTest)
add_custom_target(unit-tests)

function(tonvisor_unit_test name)
  cmake_parse_arguments(TEST "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${TEST_SOURCES})
  target_link_libraries(${name} PRIVATE ${TEST_LIBS} GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS unit ENVIRONMENT "TONVISOR_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  add_dependencies(unit-tests ${name})
endfunction()
