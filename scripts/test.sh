#!/usr/bin/env bash
# Installs what is missing, builds Quorlin with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test headless; then builds and tests the Qt-free part alone. Exits non-zero on any failed test or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORLIN_SANITIZE=ON -DQUORLIN_TESTS=ON
cmake --build build-test
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
ctest --test-dir build-test --output-on-failure -j "$jobs" --timeout 600

# The core library and the formula engine once more without Qt, to show they need none of it.
cmake -S . -B build-core -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORLIN_SANITIZE=ON -DQUORLIN_GUI=OFF
cmake --build build-core
ctest --test-dir build-core --output-on-failure -j "$jobs" --timeout 600
