#!/usr/bin/env bash
# Builds the sample game and starts it in the sample folder, where its data
# lies: in a window (SDL2) where there is a display; without one, a scripted
# headless run of sample/showcase.txt that saves a handful of frames and says
# where they are. Arguments go to the program; BRANNOCK_* knobs apply as
# usual (BRANNOCK_BACKEND=headless forces the showcase, a BRANNOCK_SCRIPT of
# your own replaces it).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target brannock_sample
cd sample
program=../build/default/sample/brannock_sample

headless=0
if [ "${BRANNOCK_BACKEND:-}" = headless ] ||
    { [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; }; then
    headless=1
fi
if [ $headless = 0 ] || [ -n "${BRANNOCK_SCRIPT:-}" ]; then
    [ $headless = 0 ] && echo "The game starts unpaced (WAIT=0): F2 holds it to 60 frames a" \
        "second, F1 stops the fighter walking by himself, Esc quits."
    exec "$program" "$@"
fi

# The showcase saves its frames into shots/; old ones go first.
mkdir -p shots
rm -f shots/*.bmp
echo "No display: playing the scripted showcase (sample/showcase.txt) headless."
start=$(date +%s%N)
BRANNOCK_SCRIPT=showcase.txt "$program" "$@"
elapsed=$((($(date +%s%N) - start) / 1000000))
echo "Done in ${elapsed} ms. Saved frames (BMP):"
shopt -s nullglob
for frame in shots/*.bmp; do
    echo "  $PWD/$frame"
done
