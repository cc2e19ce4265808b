#!/usr/bin/env bash
# Installs what is missing, builds Kelvaro and starts the game.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/deps.sh"
kelvaro_install_deps
kelvaro_build
exec "$root/build/app/kelvaro" "$@"
