#!/usr/bin/env bash
# Installs what is missing, checks that the sources keep their layering (scripts/check-layers.py),
# builds Quorlin with AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test
# headless; then builds and tests the plain libraries alone, and fuzzes each reader for a few
# seconds. Exits non-zero on a layering fault, any failed test, sanitizer report or
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

# Each reader under libFuzzer (clang, a build of its own) for a few seconds, from its seed
# corpus, about 80 seconds in all; new inputs go to a scratch folder, a finding is kept in
# build-fuzz/.
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DQUORLIN_FUZZ=ON -DQUORLIN_TESTS=OFF
targets=(
    "diagram_fuzz 15 tests/examples/corpus"
    "diagram_draw_fuzz 15 tests/examples/corpus"
    "script_fuzz 15 tests/examples/script_corpus"
    "ini_fuzz 10 tests/shell/ini_corpus"
    "overlay_fuzz 10 tests/canvas/overlay_corpus"
    "metafile_fuzz 15 tests/platform/metafile_corpus"
)
for entry in "${targets[@]}"; do
    read -r target seconds corpus <<<"$entry"
    cmake --build build-fuzz --target "$target"
    found=$(mktemp -d)
    QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions="$PWD/tests/support/lsan.supp" \
        build-fuzz/fuzz/"$target" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=4096 -artifact_prefix=build-fuzz/"$target"- "$found" "$corpus"
    rm -rf "$found"
done
