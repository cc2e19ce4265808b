#!/usr/bin/env bash
# Installs what is missing, builds Kelvaro and starts the game.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/deps.sh"
kelvaro_install_deps
kelvaro_build
if [ -x "$root/build/app/kelvaro" ]; then
    exec "$root/build/app/kelvaro" "$@"
fi
# Until the game window exists, show a puzzle from the puzzle tool.
exec "$root/build/tools/kelvaro-puzzles" generate --size 8 --solution "$@"
