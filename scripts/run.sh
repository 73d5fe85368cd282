#!/usr/bin/env bash
# Builds the program and starts it: a real window where there is a display
# (SDL2), the headless backend otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target brannock_minimal
cd sample
exec ../build/default/sample/brannock_minimal "$@"
