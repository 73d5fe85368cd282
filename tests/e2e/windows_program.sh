#!/usr/bin/env bash
# End-to-end test of a Windows program under Wine, inside the Wine session
# of scripts/with-wine.sh (its display and virtual desktop). The program is
# started in a Release folder below a folder holding its data, as from a
# build, and must move there; it runs windowed, then F4, F1 and Escape are
# sent with xdotool; screenshots must show its frames; it must end with exit
# code 0. Screenshots are kept in SCREENSHOT_DIR for a look.
# Usage: windows_program.sh WINE PROGRAM.exe SOURCE_DIR SCREENSHOT_DIR
set -euo pipefail

wine=$1
program=$2
source_dir=$3
shots=$4
name=$(basename "$program" .exe)

fail() {
    echo "FAILED: $*" >&2
    [ -s "$work/output" ] && sed 's/^/  program: /' "$work/output" >&2
    exit 1
}

# The colour at (x, y) of a screenshot, as RRGGBB.
colour_at() {
    convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6
}

# How many pixels of a screenshot have the colour RRGGBB.
count_colour() {
    convert "$1" -fill black +opaque "#$2" -fill white -opaque "#$2" -format '%[fx:mean*w*h]' \
        info: | cut -d. -f1
}

# The desktop's size, WIDTHxHEIGHT: the display mode on Wine's virtual desktop.
desktop_size() {
    xdotool search --name 'Wine desktop' getwindowgeometry --shell 2>/dev/null |
        awk -F= '/^WIDTH/{w=$2} /^HEIGHT/{h=$2} END{print w "x" h}'
}

# What each program is expected to do.
case "$name" in
    brannock_sample)
        data=(Sprite.txt image)
        title='^AUTO='
        # Its frames: the title shows the switches, the frame-rate readout
        # (black on white near the top right) is drawn, and the picture
        # below it is the game's, not the white the window was erased with.
        frames_shown() {
            local white
            white=$(count_colour "$1" FFFFFF)
            [ "$(xdotool getwindowname "$window")" = "AUTO=1 WAIT=0" ] && [ "$white" -gt 100 ] &&
                [ $(($(identify -format '%w*%h' "$1") - white)) -gt 200000 ]
        }
        # Full screen: the display mode is the game's 640x480, the window
        # fills it without a frame, and the readout is still drawn.
        after_f4() {
            [ "$(desktop_size)" = 640x480 ] &&
                [ "$(identify -format '%wx%h' "$1")" = 640x480 ] &&
                [ "$(count_colour "$1" FFFFFF)" -gt 100 ]
        }
        after_f1() { [ "$(xdotool getwindowname "$window")" = "AUTO=0 WAIT=0" ]; }
        escape_ends=yes
        ;;
    brannock_minimal)
        data=()               # what it reads, relative to SOURCE_DIR/sample
        title='^Brannock'     # its window's title
        # Its frames: the title counts the seconds the main loop has run, and
        # the class's white brush erased the client area.
        frames_shown() {
            [[ $(xdotool getwindowname "$window") =~ ^Brannock\ -\ [1-9] ]] &&
                [ "$(count_colour "$1" FFFFFF)" -gt 200000 ]
        }
        after_f4() { frames_shown "$1"; }  # no full screen: it stays as it was
        after_f1() { frames_shown "$1"; }
        escape_ends=no        # Escape does nothing: the close box ends it
        ;;
    *)
        echo "no expectations for $name" >&2
        exit 1
        ;;
esac

work=$(mktemp -d "${TMPDIR:-/tmp}/brannock-e2e.XXXXXX")
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$shots" "$work/game/Release"
for item in "${data[@]}"; do
    if [ -e "$source_dir/sample/$item" ]; then cp -r "$source_dir/sample/$item" "$work/game/"; fi
done
cp "$program" "$work/game/Release/"

# Takes screenshots of the window until CHECK holds for one, for up to ten
# seconds.
shown() {
    local label=$1 check=$2 shot="$shots/$name.$1.png"
    for _ in $(seq 50); do
        if import -window "$window" "$shot" 2>/dev/null && "$check" "$shot"; then
            return 0
        fi
        sleep 0.2
    done
    fail "$label: not shown; see $shot"
}

press() {
    xdotool mousemove --window "$window" 100 100 key "$1"
}

(cd "$work/game/Release" && exec "$wine" "./$name.exe") >"$work/output" 2>&1 &
pid=$!

window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || fail "no window titled $title"

shown windowed frames_shown
press F4
shown after-f4 after_f4
press F1
shown after-f1 after_f1
press Escape
if [ "$escape_ends" = no ]; then
    sleep 1
    kill -0 "$pid" 2>/dev/null || fail "Escape ended the program"
    # The close box, at the right end of the caption Wine draws.
    width=$(identify -format '%w' "$shots/$name.windowed.png")
    xdotool mousemove --window "$window" $((width - 11)) 11 click 1
fi

for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "still running 20 s after the end was asked for"
code=0
wait "$pid" || code=$?
pid=""
[ "$code" -eq 0 ] || fail "exit code $code"
echo "$name: windowed, F4, F1, Escape and its end as expected; screenshots in $shots"
