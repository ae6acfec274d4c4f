#!/usr/bin/env bash
# The real program in a real window under a virtual X server: it starts, shows its logo (a
# picture, not a black window), and ends by its quit key: Ctrl+Q, Yes, then the credits skipped
# with Esc. Arguments: q71, data set.
set -euo pipefail
if [ "${1:-}" != "--inside" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inside "$@"
fi
program=$2
data=$3
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy Q71_DATA="$data" XDG_DATA_HOME="$work/player"
# SDL unloads the X11 libraries it opened when it closes, so what they keep for the life of the
# process can no longer be told apart from a leak of ours; the unit tests watch for those.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# How much of the window shows a picture: the share of sampled pixels that are not black, and
# how many colours they hold. Arguments: the window's x, y, width and height on the screen.
window_summary() {
    python3 "$(dirname "$0")/screen_pixels.py" summary "$@"
}

"$program" >"$work/out" 2>"$work/err" &
pid=$!
wid=$(timeout 20 xdotool search --sync --name '^Q71\(I\) Varden-Morrow$' | head -1) || true
[ -n "$wid" ] || { echo "the window did not open:"; cat "$work/err"; exit 1; }
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$wid")"
read -r lit colours < <(window_summary "$X" "$Y" "$WIDTH" "$HEIGHT")
[ "$lit" -ge 60 ] && [ "$colours" -ge 20 ] ||
    { echo "the logo does not show: $lit% of the screen lit, $colours colours"; exit 1; }

# Without a window manager the keyboard focus is set by hand.
xdotool windowfocus --sync "$wid"
xdotool key ctrl+q
sleep 0.5
xdotool key Return
sleep 1
xdotool key Escape
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && { echo "the program did not end"; cat "$work/err"; exit 1; }
set +e
wait "$pid"
status=$?
set -e
[ "$status" -eq 0 ] || { echo "the program ended with $status"; cat "$work/err"; exit 1; }
echo "started, showed its logo ($lit% lit, $colours colours) and quit"
