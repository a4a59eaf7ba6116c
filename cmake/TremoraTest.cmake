# SPDX-License-Identifier: GPL-3.0-or-later
include(GoogleTest)

# tremora_add_test(<name> SOURCES ... LIBS ...): one GoogleTest executable, its cases registered
# with CTest one by one. The shared main starts a QApplication on the offscreen platform.
function(tremora_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE tremora_test_support ${ARG_LIBS} GTest::gtest GTest::gmock)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300
               # A case that finds no shared data says so and counts as skipped, not passed.
               SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
  # The shared main also turns leak checking off and reads TREMORA_SHARED_DATA when it is set,
  # so a test runs the same from ctest and by hand.
endfunction()
