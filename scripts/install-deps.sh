#!/usr/bin/env bash
# Installs the Debian packages that building, running or testing needs,
# only those that are missing. Usage: install-deps.sh run|test
set -euo pipefail

# The default build, which the run command shares, configures the test
# suites too: GoogleTest is needed either way.
need=(cmake ninja-build g++ pkg-config libsdl2-dev libgtest-dev libgmock-dev)
if [ "${1:-test}" = test ]; then
    # xfonts-base: the "fixed" font the e2e tests' window manager draws with.
    need+=(googletest clang libclang-rt-14-dev g++-mingw-w64-x86-64 wine64
           xvfb xfonts-base xdotool imagemagick evilwm libx11-dev)
fi

missing=()
for pkg in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
