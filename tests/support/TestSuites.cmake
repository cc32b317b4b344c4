# zarvik_test_suites(TARGET [TIMEOUT seconds] [ENVIRONMENT "NAME=value"] [LABELS label])
#
# One CTest entry per GoogleTest suite of a test program, read from the program after each build.
# A process per test spent more time starting (the sanitizers' start-up) than most tests run; a
# process per program would leave one core idle behind the longest program.
function(zarvik_test_suites target)
  cmake_parse_arguments(arg "" "TIMEOUT;ENVIRONMENT;LABELS" "" ${ARGN})
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 600)
  endif()
  set(ctest_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -D TEST_EXECUTABLE=$<TARGET_FILE:${target}>
            -D CTEST_FILE=${ctest_file} -D WORKING_DIRECTORY=${CMAKE_CURRENT_BINARY_DIR}
            -D TIMEOUT=${arg_TIMEOUT} -D ENVIRONMENT=${arg_ENVIRONMENT} -D LABELS=${arg_LABELS}
            -P ${CMAKE_SOURCE_DIR}/tests/support/list-suites.cmake
    BYPRODUCTS ${ctest_file}
    VERBATIM)
  # Until the program is built, CTest names it as not built instead of failing to read the list.
  set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_include.cmake)
  file(WRITE ${include_file}
    "if(EXISTS [==[${ctest_file}]==])\n  include([==[${ctest_file}]==])\n"
    "else()\n  add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()
