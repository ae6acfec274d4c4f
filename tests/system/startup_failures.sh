#!/usr/bin/env bash
# A new user's failed start-ups: a data set that is missing, one with a damaged group archive,
# and no display at all. Each must end at once with a failure status and a message that names the
# file or service, where it was looked for, and what to do. Arguments: q71, data set.
set -euo pipefail
program=$1
data=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$work/player"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
failed=0

# expect <case> <words the message must hold...> -- <command...>: the command fails within 30 s
# (not by the timeout) and its stderr holds every word.
expect() {
    local name=$1; shift
    local words=()
    while [ "$1" != "--" ]; do words+=("$1"); shift; done
    shift
    local status=0
    timeout 30 "$@" >"$work/$name.out" 2>"$work/$name.err" || status=$?
    if [ "$status" -eq 0 ] || [ "$status" -eq 124 ]; then
        echo "$name: exit status $status, not a failure"; cat "$work/$name.err"; failed=1; return
    fi
    for word in "${words[@]}"; do
        grep -qF -- "$word" "$work/$name.err" || { echo "$name: the message lacks \"$word\":"; cat "$work/$name.err"; failed=1; }
    done
}

expect missing-data-set "$work/nowhere/textdllf.txt" Q71_DATA scripts/play -- \
    env Q71_DISPLAY=headless Q71_DATA="$work/nowhere" "$program"

# The data set as links, but for one group archive whose packed bytes are damaged.
cp -rs "$data" "$work/damaged"
rm "$work/damaged/graphics/logo.grp"
python3 - "$data/graphics/logo.grp" "$work/damaged/graphics/logo.grp" <<'PY'
import sys
b = bytearray(open(sys.argv[1], "rb").read())
for i in range(0, len(b), 7):
    b[i] ^= 0x5A
open(sys.argv[2], "wb").write(b)
PY
expect damaged-data-set "graphics/logo.grp" "Q71_DATA" "scripts/play" -- \
    env Q71_DISPLAY=headless Q71_DATA="$work/damaged" "$program"

expect no-display "DISPLAY" "Q71_DISPLAY=headless" -- \
    env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u Q71_DISPLAY Q71_DATA="$data" "$program"

exit $failed
