#!/usr/bin/env bash
# The part of take.sh that runs inside the virtual X server.
set -euo pipefail
build=$1
out=$2
suffix=${3:-} # given: a second density, where only the game in play is saved
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
# A medium board, so the picture shows more than the smallest puzzle.
mkdir -p "$config/kelvaro"
printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Dravix\\Kelvaro]\n"size"=dword:00000001\n' \
    >"$config/kelvaro/kelvaro.reg"

XDG_CONFIG_HOME=$config "$build/app/kelvaro" &
game=$!
window=$(xdotool search --sync --name '^Kelvaro$' | head -1)
grab() { # the window as the X server holds it, in its device pixels
    [ -z "$suffix" ] || [ "$1" = main-window-playing ] || return 0
    env -u QT_SCALE_FACTOR "$build/app/kelvaro-grab-window" "$window" "$out/$1$suffix.png"
}
sleep 1.2
grab main-window-splash
sleep 5 # the splash ends after five seconds
grab main-window

# The window starts at a whole factor f of the 240 x 270 game area, in device pixels, under
# the menu and toolbar: buffer pixel (x, y) is at window (f x, top + f y). The medium board's cell (c, r)
# has its top-left buffer pixel at (40 + 20 c, 70 + 20 r).
eval "$(xdotool getwindowgeometry --shell "$window")"
f=$((WIDTH / 240))
top=$((HEIGHT - 270 * f))
cell() { echo $((X + f * (50 + 20 * $1))) $((Y + top + f * (80 + 20 * $2))); }
tap() { xdotool mousemove $(cell "$1" "$2") click 1; sleep 0.3; }
hint() { # the Hint button, then OK in its message box
    xdotool key --window "$window" h
    box=$(timeout 10 xdotool search --sync --name '^Info$' | head -1)
    xdotool windowfocus --sync "$box" key Return
    sleep 0.3
}
tap 3 3 # ends the splash if it still shows, or starts the clock
tap 3 3 # starts the clock, or touches the head again, which draws nothing
hint
tap 1 1
hint
tap 6 6
# A stroke of the player's own, dragged from cell to cell.
xdotool mousemove $(cell 0 7) mousedown 1
for c in 1 2 3; do xdotool mousemove $(cell "$c" 7); sleep 0.1; done
xdotool mousemove $(cell 3 6); sleep 0.1
xdotool mouseup 1
sleep 1.5
grab main-window-playing
kill -TERM "$game"
wait "$game" || true

# Keyboard play on a puzzle chosen by number: the line of M drawn with the arrow keys, then
# the line of H under way, the orange cursor frame on the pen's cell.
XDG_CONFIG_HOME=$config "$build/app/kelvaro" --puzzle 8-3141592653 &
game=$!
window=$(xdotool search --sync --name '^Kelvaro$' | head -1)
sleep 1
xdotool windowfocus --sync "$window"
press() { for k in "$@"; do xdotool key "$k"; sleep 0.15; done; }
press Right # ends the splash; the practice notice follows
box=$(timeout 10 xdotool search --sync --name '^Practice$' | head -1)
xdotool windowfocus --sync "$box" key Return
sleep 0.3
xdotool windowfocus --sync "$window"
press Right Right space Left Down Right Down Left space
press Right Right Up Up space Down Right Up
sleep 0.5
grab keyboard-cursor
kill -TERM "$game"
wait "$game" || true
