#!/usr/bin/env bash
# Screenshots of the real main window under a virtual X server, for the README:
#   app/screenshot/take.sh <build dir> <output folder>
# Needs xvfb-run and xdotool. The game starts with its settings in a fresh folder, the splash
# is allowed to end, a few lines are drawn with the mouse, and the window is saved.
set -euo pipefail
build=${1:?build directory}
out=${2:?output folder}
mkdir -p "$out"
out=$(cd "$out" && pwd)
exec xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" \
    bash "$(dirname "$0")/take-inside.sh" "$build" "$out"
