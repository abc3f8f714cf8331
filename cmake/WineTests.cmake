# Tests of the Windows build that run under Wine, and the glue that lets one
# `ctest` in the native build folder run the Windows build's tests as well.
#
#   vexal_add_wine_fixture()
#       Once, in the Windows build: the tests wine_session_start / _stop that
#       start and stop the shared Wine session (Xvfb, prefix, wineserver).
#   vexal_add_wine_test(NAME name COMMAND target-or-program [args...]
#                       [WORKING_DIRECTORY dir] [TIMEOUT seconds] [LABELS ...]
#                       [RESOURCE_LOCK ...] [ENVIRONMENT VAR=value ...])
#       A test that needs Wine. A target named as COMMAND runs through
#       scripts/run-in-wine.sh (CMAKE_CROSSCOMPILING_EMULATOR); any other
#       program (python3, a script) runs as it is and finds the session through
#       VEXAL_WINE_BUILD_DIR. On Windows itself it is a plain test.
#   Every test that shows windows takes RESOURCE_LOCK wine_display, so that no
#   window overlaps one that an end-to-end test reads from the screen.
#   vexal_include_windows_tests(dir)
#       In the native build: makes `ctest` there also run the tests of the
#       Windows build folder `dir`, so one run ends with one summary.

set(VEXAL_WINE_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/../scripts)
get_filename_component(VEXAL_WINE_SCRIPTS ${VEXAL_WINE_SCRIPTS} ABSOLUTE)

if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
  set(VEXAL_WINE_TESTS ON)
else()
  set(VEXAL_WINE_TESTS OFF)
endif()

function(vexal_add_wine_fixture)
  get_property(added GLOBAL PROPERTY VEXAL_WINE_FIXTURE_ADDED)
  if(NOT VEXAL_WINE_TESTS OR added)
    return()
  endif()
  set_property(GLOBAL PROPERTY VEXAL_WINE_FIXTURE_ADDED TRUE)
  add_test(NAME wine_session_start
           COMMAND bash ${VEXAL_WINE_SCRIPTS}/wine-session.sh start ${CMAKE_BINARY_DIR})
  add_test(NAME wine_session_stop
           COMMAND bash ${VEXAL_WINE_SCRIPTS}/wine-session.sh stop ${CMAKE_BINARY_DIR})
  # Creating the prefix the first time takes a while on a slow machine.
  set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300
                                                     LABELS wine)
  set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60
                                                    LABELS wine)
endfunction()

# Every Windows build with tests gets the fixture, whoever adds Wine tests.
if(VEXAL_WINE_TESTS AND VEXAL_BUILD_TESTS)
  vexal_add_wine_fixture()
endif()

function(vexal_add_wine_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME;WORKING_DIRECTORY;TIMEOUT"
                        "COMMAND;LABELS;RESOURCE_LOCK;ENVIRONMENT")
  if(NOT arg_NAME OR NOT arg_COMMAND)
    message(FATAL_ERROR "vexal_add_wine_test needs NAME and COMMAND")
  endif()
  if(NOT arg_WORKING_DIRECTORY)
    set(arg_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 120)
  endif()
  add_test(NAME ${arg_NAME} COMMAND ${arg_COMMAND} WORKING_DIRECTORY ${arg_WORKING_DIRECTORY})
  set_tests_properties(${arg_NAME} PROPERTIES TIMEOUT ${arg_TIMEOUT}
                                              LABELS "wine;${arg_LABELS}")
  if(arg_RESOURCE_LOCK)
    set_tests_properties(${arg_NAME} PROPERTIES RESOURCE_LOCK "${arg_RESOURCE_LOCK}")
  endif()
  set(env VEXAL_WINE_BUILD_DIR=${CMAKE_BINARY_DIR} ${arg_ENVIRONMENT})
  set_tests_properties(${arg_NAME} PROPERTIES ENVIRONMENT "${env}")
  if(VEXAL_WINE_TESTS)
    vexal_add_wine_fixture()
    set_tests_properties(${arg_NAME} PROPERTIES FIXTURES_REQUIRED wine)
  endif()
endfunction()

function(vexal_include_windows_tests dir)
  if(NOT dir)
    return()
  endif()
  get_filename_component(dir ${dir} ABSOLUTE)
  set(file ${CMAKE_BINARY_DIR}/windows-tests.cmake)
  file(WRITE ${file} "# Written by cmake/WineTests.cmake: the Windows build's tests.\n"
                     "if(EXISTS \"${dir}/CTestTestfile.cmake\")\n"
                     "  subdirs(\"${dir}\")\n"
                     "else()\n"
                     "  message(WARNING \"No Windows build in ${dir}: its tests are left out\")\n"
                     "endif()\n")
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY TEST_INCLUDE_FILES ${file})
endfunction()
