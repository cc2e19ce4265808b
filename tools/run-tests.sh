#!/usr/bin/env bash
# Installs what is missing, builds Kelvaro with its tests and runs them all, headless.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/deps.sh"
kelvaro_install_deps
kelvaro_build
export QT_QPA_PLATFORM=offscreen
cd "$root/build"
ctest --output-on-failure -j2 "$@"
