# SPDX-License-Identifier: GPL-3.0-or-later
include(GoogleTest)

# tremora_add_test(<name> [GUI] SOURCES ... LIBS ...): one GoogleTest executable, its cases
# registered with CTest one by one. Logic tests run under a QCoreApplication; GUI tests get a
# QApplication on the offscreen platform.
function(tremora_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_GUI)
    set(main tremora_gui_test_main)
  else()
    set(main tremora_test_main)
  endif()
  target_link_libraries(${name} PRIVATE ${main} ${ARG_LIBS} GTest::gtest GTest::gmock)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300
               # A case that finds no shared data says so and counts as skipped, not passed.
               SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
  # The mains also turn leak checking off and read TREMORA_SHARED_DATA when it is set,
  # so a test runs the same from ctest and by hand.
endfunction()
