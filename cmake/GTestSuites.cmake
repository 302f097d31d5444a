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
    # (The tests' main picks the offscreen platform by itself.)
    execute_process(COMMAND "${EXE}" --gtest_list_tests
        OUTPUT_VARIABLE listing RESULT_VARIABLE result ERROR_VARIABLE errors TIMEOUT 120)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${EXE} --gtest_list_tests failed (${result}):\n${listing}\n${errors}")
    endif()
    # A suite line starts in column one and ends in '.', perhaps with a "# TypeParam" comment;
    # a test line is indented. (No name holds a ';', which would split a CMake list.)
    string(REPLACE ";" "," listing "${listing}")
    string(REPLACE "\n" ";" lines "${listing}")
    set(suites)
    foreach(line IN LISTS lines)
        if(line MATCHES "^([^ #]+)\\.( .*)?$")
            set(suite "${CMAKE_MATCH_1}")
            if(NOT suite MATCHES "^DISABLED_")
                list(APPEND suites "${suite}")
            endif()
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
