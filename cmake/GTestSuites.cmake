# Run by ctest (through the TEST_INCLUDE_FILES of quorlin_gtest_suites): one ctest entry per
# GoogleTest suite of an executable, so that a process (and, for most tests, a QApplication under
# the sanitizers) starts once per suite rather than once per test, while a failure still names its
# suite and the output shows the failed tests. Each entry writes its results as XML, which
# scripts/test.sh counts test by test.
#
# Set by the including file: EXE, NAME (the executable's target), LIST (the cached suite list),
# XML_DIR, TIMEOUT and ENVIRONMENT.

# List the suites again only when the executable is newer than the last list.
if(NOT EXISTS "${LIST}" OR "${EXE}" IS_NEWER_THAN "${LIST}")
    if(NOT EXISTS "${EXE}")
        add_test("${NAME}_NOT_BUILT" "${NAME}_NOT_BUILT")
        return()
    endif()
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen
                            "${EXE}" --gtest_list_tests
        OUTPUT_VARIABLE listing RESULT_VARIABLE result ERROR_VARIABLE errors TIMEOUT 120)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${EXE} --gtest_list_tests failed (${result}):\n${listing}\n${errors}")
    endif()
    # A suite line starts in column one and ends in '.', perhaps with a "# TypeParam" comment.
    string(REGEX MATCHALL "(^|\n)[^ \n][^\n]*" lines "${listing}")
    set(suites)
    foreach(line IN LISTS lines)
        string(STRIP "${line}" line)
        if(line MATCHES "^([^ #]+)\\.( .*)?$" AND NOT CMAKE_MATCH_1 MATCHES "^DISABLED_")
            list(APPEND suites "${CMAKE_MATCH_1}")
        endif()
    endforeach()
    file(WRITE "${LIST}" "${suites}")
endif()

file(READ "${LIST}" suites)
foreach(suite IN LISTS suites)
    string(REPLACE "/" "_" file_name "${NAME}.${suite}")
    add_test("${NAME}.${suite}" "${EXE}" "--gtest_filter=${suite}.*"
        "--gtest_output=xml:${XML_DIR}/${file_name}.xml")
    set_tests_properties("${NAME}.${suite}" PROPERTIES TIMEOUT "${TIMEOUT}"
        ENVIRONMENT "${ENVIRONMENT}")
endforeach()
