# Sourced by scripts that need an X server of their own: start_xvfb starts
# Xvfb on a free display (it picks the number itself and writes it to
# -displayfd) and exports DISPLAY; stop_xvfb ends it. Callers keep a session
# directory for the display number and call stop_xvfb from their clean-up.
# -noreset: Xvfb otherwise resets whenever its last client leaves, and turns
# away a client that connects meanwhile.
xvfb_pid=""

# start_xvfb SESSION_DIR SCREEN (WIDTHxHEIGHTxDEPTH); fails when Xvfb does
# not come up within 10 s.
start_xvfb() {
    local session=$1 screen=$2
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$session/display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$session/display" ] && break
        sleep 0.1
    done
    [ -s "$session/display" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$(head -n 1 "$session/display")"
}

stop_xvfb() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    fi
}
