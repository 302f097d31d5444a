# Compiler settings shared by every target of the project.

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
    set(CMAKE_CXX_COMPILER_LAUNCHER "${CCACHE_PROGRAM}")
endif()

add_library(quorlin_options INTERFACE)
target_compile_options(quorlin_options INTERFACE -Wall -Wextra)
target_include_directories(quorlin_options INTERFACE ${PROJECT_SOURCE_DIR}/src)

if(QUORLIN_SANITIZE)
    target_compile_options(quorlin_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(quorlin_options INTERFACE -fsanitize=address,undefined)
endif()

# quorlin_library(NAME SOURCES... [DEPENDS libs...]): one static library per subsystem folder.
function(quorlin_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_link_libraries(${name} PUBLIC quorlin_options ${ARG_DEPENDS})
endfunction()

# quorlin_test(NAME SOURCES... DEPENDS libs... [TIMEOUT seconds]): a GoogleTest executable
# registered with CTest, each test stopped after TIMEOUT seconds (600 unless given).
# Its main (tests/support) creates a QApplication on the offscreen platform and points the
# configuration folder at a fresh temporary directory, so no test touches the user's files.
function(quorlin_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;DEPENDS" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 600)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE quorlin_options ${ARG_DEPENDS} quorlin_test_support)
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT
            "QT_QPA_PLATFORM=offscreen;QUORLIN_SOURCE_DIR=${PROJECT_SOURCE_DIR};LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/support/lsan.supp:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endfunction()

# quorlin_plain_test(NAME SOURCES... DEPENDS libs...): a GoogleTest executable for code that needs
# no Qt (core, the formula engine); it runs without an application object.
function(quorlin_plain_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE quorlin_options ${ARG_DEPENDS} quorlin_plain_test_support)
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT
            "QUORLIN_SOURCE_DIR=${PROJECT_SOURCE_DIR};LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/support/lsan.supp:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endfunction()
