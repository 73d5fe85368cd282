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
xvfb=""

cleanup() {
    WINEPREFIX="$session/prefix" "$wineserver" -k 2>/dev/null || true
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    fi
    rm -rf "$session"
}
trap cleanup EXIT

# The desktop, as Wine's virtual desktop fills the whole screen of its own
# Xvfb, which picks a free display number and writes it to -displayfd.
export BRANNOCK_WINE_DESKTOP=1024x768
Xvfb -displayfd 3 -screen 0 "${BRANNOCK_WINE_DESKTOP}x24" -nolisten tcp 3>"$session/display" \
    2>/dev/null &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$session/display" ] && break
    sleep 0.1
done
[ -s "$session/display" ] || { echo "with-wine: Xvfb did not start" >&2; exit 1; }

export DISPLAY=":$(head -n 1 "$session/display")"
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
