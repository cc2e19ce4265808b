#!/usr/bin/env bash
# Screenshots of the real main window under a virtual X server, for the README:
#   app/screenshot/take.sh <build dir> <output folder>
# Needs xvfb-run and xdotool. The game starts with its settings in a fresh folder, the splash
# is allowed to end, a few lines are drawn with the mouse, and the window is saved. The game
# in play is taken a second time at twice the density, as on a 2560 x 1600 display.
set -euo pipefail
build=${1:?build directory}
out=${2:?output folder}
mkdir -p "$out"
out=$(cd "$out" && pwd)
inside="$(dirname "$0")/take-inside.sh"
xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" bash "$inside" "$build" "$out"
QT_SCALE_FACTOR=2 xvfb-run --auto-servernum --server-args="-screen 0 2560x1600x24" \
    bash "$inside" "$build" "$out" -2x
