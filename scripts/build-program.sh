#!/usr/bin/env bash
# Builds the program as scripts/run.sh starts it: optimised, with the system's compiler, into
# build/. scripts/test.sh builds it the same way, so that the compiler of a plain build is held to
# the code as clang is.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORLIN_TESTS=OFF
cmake --build build --target quorlin
