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

# Precompiled headers: the headers that most sources include, parsed once a library instead of
# once a source, which halves the cost of an optimised build. scripts/build-program.sh (the run
# command's build) turns them on. Every library precompiles the standard headers; one that stands
# on Qt Widgets, Qt's too, so a plain library never sees a Qt header this way. The sanitized build
# of the tests precompiles nothing, so it still shows a source that leaves out an include.
option(QUORLIN_PRECOMPILED_HEADERS "Precompile the headers most sources include" OFF)
set(QUORLIN_STANDARD_HEADERS <algorithm> <array> <cmath> <cstdint> <functional> <memory>
    <optional> <span> <string> <string_view> <vector>)
set(QUORLIN_WIDGETS_HEADERS <QDialog> <QFileInfo> <QImage> <QPainter> <QPointer> <QString>
    <QWidget>)
# GCC's compiles that read a precompiled header are kept by ccache only with this option.
if(QUORLIN_PRECOMPILED_HEADERS AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(quorlin_options INTERFACE -fpch-preprocess)
endif()

# quorlin_library(NAME SOURCES... [DEPENDS libs...]): one static library per subsystem folder.
function(quorlin_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_link_libraries(${name} PUBLIC quorlin_options ${ARG_DEPENDS})
    # Whether the library stands on Qt Widgets, directly or through a library of its own.
    set(on_widgets OFF)
    foreach(dependency ${ARG_DEPENDS})
        if(dependency STREQUAL "Qt6::Widgets")
            set(on_widgets ON)
        elseif(TARGET ${dependency})
            get_target_property(below ${dependency} QUORLIN_ON_WIDGETS)
            if(below)
                set(on_widgets ON)
            endif()
        endif()
    endforeach()
    set_target_properties(${name} PROPERTIES QUORLIN_ON_WIDGETS ${on_widgets})
    if(QUORLIN_PRECOMPILED_HEADERS)
        target_precompile_headers(${name} PRIVATE ${QUORLIN_STANDARD_HEADERS})
        if(on_widgets)
            target_precompile_headers(${name} PRIVATE ${QUORLIN_WIDGETS_HEADERS})
        endif()
    endif()
endfunction()

# What every test runs with: the sources (for test data) and the sanitizers' settings.
set(QUORLIN_TEST_ENVIRONMENT
    "QUORLIN_SOURCE_DIR=${PROJECT_SOURCE_DIR};LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/support/lsan.supp:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

# quorlin_gtest_suites(TARGET TIMEOUT ENVIRONMENT): registers each GoogleTest suite of TARGET as
# one CTest entry "TARGET.Suite" (cmake/GTestSuites.cmake lists them when ctest starts), stopped
# after TIMEOUT seconds. A suite shares one process: under the sanitizers, starting a process
# (and a QApplication) for every single test cost more than most tests themselves.
function(quorlin_gtest_suites name timeout environment)
    set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${name}_suites.cmake")
    file(GENERATE OUTPUT "${include_file}" CONTENT
"set(EXE \"$<TARGET_FILE:${name}>\")
set(NAME \"${name}\")
set(LIST \"${CMAKE_CURRENT_BINARY_DIR}/${name}_suites.txt\")
set(XML_DIR \"${PROJECT_BINARY_DIR}/test-results\")
set(TIMEOUT \"${timeout}\")
set(ENVIRONMENT \"${environment}\")
include(\"${PROJECT_SOURCE_DIR}/cmake/GTestSuites.cmake\")
")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()

# quorlin_test(NAME SOURCES... DEPENDS libs... [TIMEOUT seconds]): a GoogleTest executable
# registered with CTest suite by suite, each suite stopped after TIMEOUT seconds (600 unless
# given).
# Its main (tests/support) creates a QApplication on the offscreen platform and points the
# configuration folder at a fresh temporary directory, so no test touches the user's files.
function(quorlin_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;DEPENDS" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 600)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE quorlin_options ${ARG_DEPENDS} quorlin_test_support)
    quorlin_gtest_suites(${name} ${ARG_TIMEOUT} "QT_QPA_PLATFORM=offscreen;${QUORLIN_TEST_ENVIRONMENT}")
endfunction()

# quorlin_plain_test(NAME SOURCES... DEPENDS libs...): a GoogleTest executable for code that needs
# no Qt (core, the formula engine); it runs without an application object.
function(quorlin_plain_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE quorlin_options ${ARG_DEPENDS} quorlin_plain_test_support)
    quorlin_gtest_suites(${name} 600 "${QUORLIN_TEST_ENVIRONMENT}")
endfunction()
