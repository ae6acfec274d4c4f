#!/usr/bin/env bash
# The SDL2 display in a real window: under a virtual X server, real clicks and keys (xdotool)
# must reach the window system as the right messages, a second copy must find the first, the
# window must show the screen, scaled and with its changes, and Alt+F4 must close the window. Arguments: q71, data set (the window program lies beside q71).
set -euo pipefail
if [ "${1:-}" != "--inside" ]; then
    tool="$(cd "$(dirname "$1")" && pwd)/tests/tools/q71_window_smoke"
    [ -x "$tool" ] || { echo "missing $tool"; exit 1; }
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inside "$tool"
fi
tool=$2
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
log="$work/log"
export SDL_VIDEODRIVER=x11
# SDL unloads the X11 libraries it opened when it closes, so what they keep for the life of the
# process can no longer be told apart from a leak of ours; the unit tests watch for those.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

"$tool" >"$log" 2>"$work/err" &
pid=$!
for _ in $(seq 100); do grep -q '^ready' "$log" && break; sleep 0.1; done
grep -q '^ready' "$log" || { echo "the window did not open:"; cat "$work/err"; exit 1; }
wid=$(xdotool search --sync --name '^q71 smoke$' | head -1)

# A second copy refuses to run and knocks on the first.
set +e
"$tool" >/dev/null 2>"$work/second"
second=$?
set -e
[ "$second" -eq 3 ] || { echo "a second copy ended with $second"; cat "$work/second"; exit 1; }
grep -q "already running" "$work/second" || { echo "the second copy said nothing"; exit 1; }
# Without a window manager the keyboard focus is set by hand (being raised may have moved it).
xdotool windowfocus --sync "$wid"

xdotool mousemove --window "$wid" 100 120 click 1
sleep 0.2
xdotool mousemove --window "$wid" 400 200 click 3
sleep 0.2
xdotool mousemove --window "$wid" 50 60 click --repeat 2 --delay 80 1
sleep 0.2
xdotool key --delay 50 a shift+b ctrl+q Escape Return F1
sleep 0.3
# What the window shows: the screen scaled, each window pixel the screen pixel under it. Prints
# the red, green and blue of a window pixel. Arguments: x and y in the window.
pixel_at() {
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    python3 "$(dirname "$0")/screen_pixels.py" pixel "$((X + $1))" "$((Y + $2))"
}
shows() { # x y "r g b" what
    local seen
    seen=$(pixel_at "$1" "$2")
    [ "$seen" = "$3" ] || { echo "the window shows $seen at $1, $2, not $4 ($3)"; failures=$((failures + 1)); }
}
grey="132 130 132" blue="0 0 255" red="255 0 0"
failures=0
shows 100 100 "$grey" "the grey left half"
shows 500 100 "$blue" "the blue right half"
# Twice the size: every screen pixel is two by two in the window, changes included.
xdotool windowmove --sync "$wid" 0 0 windowsize --sync "$wid" 1280 960
sleep 0.5
shows 2 2 "$grey" "the grey left half"
shows 637 959 "$grey" "the grey left half"
shows 641 0 "$blue" "the blue right half"
xdotool key r
for _ in $(seq 50); do grep -q '^painted red' "$log" && break; sleep 0.1; done
sleep 0.3
shows 200 400 "$red" "the red square's first pixel"
shows 279 479 "$red" "the red square's last pixel"
shows 280 440 "$grey" "the grey beside the red square"
shows 240 398 "$grey" "the grey above the red square"
[ "$failures" -eq 0 ] || exit 1

xdotool key alt+F4
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
set +e
wait "$pid"
status=$?
set -e
[ "$status" -eq 0 ] || { echo "the window program ended with $status"; cat "$work/err" "$log"; exit 1; }

failures=0
expect() {
    grep -qx "$1" "$log" || { echo "missing: $1"; failures=$((failures + 1)); }
}
expect "main WM_LBUTTONDOWN 100 120"
expect "main WM_LBUTTONUP 100 120"
expect "child WM_RBUTTONDOWN 80 200"
expect "child WM_RBUTTONUP 80 200"
expect "main WM_LBUTTONDOWN 50 60"
expect "main WM_LBUTTONDBLCLK 50 60"
expect "main WM_KEYDOWN 65"
expect "main WM_CHAR 97"
expect "main WM_CHAR 66"
expect "main WM_CHAR 17"
expect "main WM_CHAR 27"
expect "main WM_CHAR 13"
expect "main WM_KEYDOWN 112"
expect "main WM_SYSKEYDOWN 115"
expect "main WM_DESTROY 0"
if [ "$failures" -ne 0 ]; then
    echo "--- messages received:"; cat "$log"
    exit 1
fi
echo "all input arrived as the right messages, and the window showed the screen scaled"
