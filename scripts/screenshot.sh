#!/usr/bin/env bash
# Makes the README's picture, docs/sample.png, again: plays the sample's
# showcase headless (scripts/run.sh) and converts one of the frames it saves
# with ImageMagick. Usage: scripts/screenshot.sh [frame]   (default 13-kick,
# a name from sample/showcase.txt without folder and extension)
set -euo pipefail
cd "$(dirname "$0")/.."
frame=${1:-13-kick}
if ! command -v convert >/dev/null; then
    echo "screenshot.sh needs ImageMagick (scripts/install-deps.sh test installs it)" >&2
    exit 1
fi
env -u BRANNOCK_SCRIPT BRANNOCK_BACKEND=headless scripts/run.sh >/dev/null
if [ ! -f "sample/shots/$frame.bmp" ]; then
    echo "the showcase saves no frame named $frame; see sample/shots/" >&2
    exit 1
fi
mkdir -p docs
# Without metadata (times, names), so that the same frame gives the same file.
convert "sample/shots/$frame.bmp" -strip -define png:exclude-chunks=date,time docs/sample.png
echo "docs/sample.png: frame $frame of the showcase"
