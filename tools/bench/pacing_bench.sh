#!/usr/bin/env bash
# Runs brannock_pacing_bench twice: headless, then in an SDL2 window on an
# Xvfb server of its own. Each run prints the CPU time of the paced loop as
# a percentage of one core and the frames per second it presented.
# Usage: tools/bench/pacing_bench.sh [build dir, default build/default] [seconds]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/default}
seconds=${2:-5}
program="$build/tools/bench/brannock_pacing_bench"
[ -x "$program" ] || { echo "pacing_bench: build $program first" >&2; exit 1; }

BRANNOCK_BACKEND=headless "$program" "$seconds"

session=$(mktemp -d "${TMPDIR:-/tmp}/brannock-pacing.XXXXXX")
xvfb=""
cleanup() {
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    fi
    rm -rf "$session"
}
trap cleanup EXIT
# Xvfb picks a free display number and writes it to -displayfd.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$session/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$session/display" ] && break
    sleep 0.1
done
[ -s "$session/display" ] || { echo "pacing_bench: Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(head -n 1 "$session/display")" BRANNOCK_BACKEND=sdl2 "$program" "$seconds"
