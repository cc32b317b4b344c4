# Writes CTEST_FILE: one test per suite that TEST_EXECUTABLE lists (see TestSuites.cmake).
execute_process(COMMAND ${TEST_EXECUTABLE} --gtest_list_tests
  OUTPUT_VARIABLE listing RESULT_VARIABLE result TIMEOUT 60)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${TEST_EXECUTABLE} could not list its tests: ${result}")
endif()
# Suite lines start in the first column ("Suite." or "Prefix/Suite/0.  # TypeParam = ..."), tests
# are indented below them. A suite's cost is its number of tests, so that on a fresh build CTest
# starts the long suites first instead of leaving one of them to run alone at the end.
string(REGEX MATCHALL "(^|\n)[^ \n#][^ \n]*\\.|\n  [^ \n]" entries "${listing}")
set(suites "")
foreach(entry ${entries})
  if(entry MATCHES "^\n  ")
    math(EXPR "cost_${suite}" "${cost_${suite}} + 1")
  else()
    string(STRIP "${entry}" suite)
    string(REGEX REPLACE "\\.$" "" suite "${suite}")
    list(APPEND suites "${suite}")
    set("cost_${suite}" 0)
  endif()
endforeach()
set(properties "WORKING_DIRECTORY [==[${WORKING_DIRECTORY}]==] TIMEOUT ${TIMEOUT}")
if(ENVIRONMENT)
  string(APPEND properties " ENVIRONMENT [==[${ENVIRONMENT}]==]")
endif()
if(LABELS)
  string(APPEND properties " LABELS [==[${LABELS}]==]")
endif()
set(content "")
foreach(suite ${suites})
  string(APPEND content "add_test([==[${suite}]==] [==[${TEST_EXECUTABLE}]==] [==[--gtest_filter=${suite}.*]==])\n"
                        "set_tests_properties([==[${suite}]==] PROPERTIES ${properties} COST ${cost_${suite}})\n")
endforeach()
file(WRITE ${CTEST_FILE} "${content}")
