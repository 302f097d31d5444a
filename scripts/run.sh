#!/usr/bin/env bash
# Installs what is missing, builds Quorlin (optimised) and starts it. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORLIN_TESTS=OFF
cmake --build build --target quorlin
exec build/src/app/quorlin "$@"
