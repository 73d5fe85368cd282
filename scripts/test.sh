#!/usr/bin/env bash
# Builds and runs every test suite: the plain build, AddressSanitizer+UBSan,
# ThreadSanitizer, the fuzz smoke runs (clang) and the Windows cross build,
# whose tests run under Wine.
# Usage: scripts/test.sh [preset ...]   (default: all of them)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test

presets=("$@")
[ ${#presets[@]} -eq 0 ] && presets=(default asan tsan fuzz mingw)

jobs=$(nproc)
for preset in "${presets[@]}"; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    case "$preset" in
        mingw)  # the Windows build under Wine; a game built against its install
            scripts/with-wine.sh ctest --preset "$preset"
            cmake -D BUILD_DIR=build/mingw -D WORK_DIR=build/mingw/package \
                -P tests/package/starter_game.cmake ;;
        tsan) setarch "$(uname -m)" -R ctest --preset "$preset" ;;
        *) ctest --preset "$preset" ;;
    esac
done
