#!/usr/bin/env bash
# The part of take.sh that runs inside the virtual X server.
set -euo pipefail
build=$1
out=$2
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
# A medium board, so the picture shows more than the smallest puzzle.
mkdir -p "$config/kelvaro"
printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Dravix\\Kelvaro]\n"size"=dword:00000001\n' \
    >"$config/kelvaro/kelvaro.reg"

XDG_CONFIG_HOME=$config "$build/app/kelvaro" &
game=$!
window=$(xdotool search --sync --name '^Kelvaro$' | head -1)
sleep 1.2
"$build/app/kelvaro-grab-window" "$window" "$out/main-window-splash.png"
sleep 5 # the splash ends after five seconds
"$build/app/kelvaro-grab-window" "$window" "$out/main-window.png"
kill -TERM "$game"
wait "$game"
