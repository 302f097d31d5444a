#!/usr/bin/env bash
# Installs what is missing, checks that the sources keep their layering (scripts/check-layers.py),
# builds Quorlin with AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test
# headless; then builds and tests the plain libraries alone, and fuzzes the diagram-body reader
# for half a minute. Exits non-zero on a layering fault, any failed test, sanitizer report or
# fuzzer finding.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-layers.py
# The benchmarks are built with the tests (a few files on top of the libraries), so that bench/
# keeps compiling; they are timed from a Release build by hand, never here.
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORLIN_SANITIZE=ON -DQUORLIN_TESTS=ON \
    -DQUORLIN_BENCH=ON
cmake --build build-test
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
ctest --test-dir build-test --output-on-failure -j "$jobs" --timeout 600

# The plain libraries of every folder once more without the GUI (core, resources, the metafile
# format, the shell's and canvas's records, formula, the example records and operations, the
# diagram body, and the plain parts of dynamics and plot2d), with their tests: Qt Core at most
# is found, so none of them can reach the windowing stack.
cmake -S . -B build-core -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORLIN_SANITIZE=ON -DQUORLIN_GUI=OFF
cmake --build build-core
ctest --test-dir build-core --output-on-failure -j "$jobs" --timeout 600

# The diagram-body reader under libFuzzer (clang, a build of its own), from the seed corpus;
# new inputs go to a scratch folder, a finding is kept in build-fuzz/.
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DQUORLIN_FUZZ=ON -DQUORLIN_TESTS=OFF
cmake --build build-fuzz --target diagram_fuzz
found=$(mktemp -d)
build-fuzz/fuzz/diagram_fuzz -max_total_time=30 -timeout=10 -artifact_prefix=build-fuzz/ \
    "$found" tests/examples/corpus
rm -rf "$found"
