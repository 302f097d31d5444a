#!/usr/bin/env bash
# Builds the program as scripts/run.sh starts it: optimised, with the system's compiler, into
# build/. scripts/test.sh builds it the same way, so that the compiler of a plain build is held to
# the code as clang is.
#
# Without debug information and with the headers most sources include precompiled once a library
# (QUORLIN_PRECOMPILED_HEADERS): most of an optimised compile of a source went into parsing the
# Qt and standard headers again, and a fifth into the debug information, which the program run
# this way does not need. ccache keeps a compile that reads a precompiled header only when it is
# told that the header's definitions and time macros do not matter.
set -euo pipefail
cd "$(dirname "$0")/.."
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
    -DQUORLIN_PRECOMPILED_HEADERS=ON -DQUORLIN_TESTS=OFF
cmake --build build --target quorlin
