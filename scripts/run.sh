#!/usr/bin/env bash
# Installs what is missing, builds Quorlin (optimised) and starts it. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build-program.sh
exec build/src/app/quorlin "$@"
