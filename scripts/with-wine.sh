#!/usr/bin/env bash
# Runs a command inside a Wine session of its own, for the Windows build's
# tests: an Xvfb server on a free display, a fresh Wine prefix made once
# (wineboot) and a wineserver kept alive until the command ends, so that each
# test process starts quickly. Programs run on a Wine virtual desktop, which
# can change display modes as full-screen games do (Xvfb has one fixed mode).
# Usage: scripts/with-wine.sh COMMAND [ARG...]
set -euo pipefail

wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
session=$(mktemp -d "${TMPDIR:-/tmp}/brannock-wine.XXXXXX")
. "$(dirname "$0")/xvfb.sh"

cleanup() {
    WINEPREFIX="$session/prefix" "$wineserver" -k 2>/dev/null || true
    stop_xvfb
    rm -rf "$session"
}
trap cleanup EXIT

# The desktop, as Wine's virtual desktop fills the whole screen of its own
# Xvfb.
export BRANNOCK_WINE_DESKTOP=1024x768
start_xvfb "$session" "${BRANNOCK_WINE_DESKTOP}x24" || exit 1
export WINEPREFIX="$session/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$wine" wineboot -i >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$BRANNOCK_WINE_DESKTOP" \
    /f >/dev/null 2>&1
# Restart on the new settings with a server that stays between programs.
{ "$wineserver" -k && "$wineserver" -w; } 2>/dev/null || true
"$wineserver" -p &
"$wine" wineboot >/dev/null 2>&1
"$@"
