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
. scripts/xvfb.sh
cleanup() {
    stop_xvfb
    rm -rf "$session"
}
trap cleanup EXIT
start_xvfb "$session" 1024x768x24 || exit 1
BRANNOCK_BACKEND=sdl2 "$program" "$seconds"
