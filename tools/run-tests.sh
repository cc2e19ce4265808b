#!/usr/bin/env bash
# Installs what is missing, builds Kelvaro with its tests and runs them all, headless.
# With CI=true the whole suite is then built and run again with AddressSanitizer and UBSan.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/deps.sh"
kelvaro_install_deps
kelvaro_build
export QT_QPA_PLATFORM=offscreen
cd "$root/build"
ctest --output-on-failure -j2 "$@"

if [ "${CI:-}" = "true" ]; then
    asan="$root/build-asan"
    if [ ! -f "$asan/build.ninja" ]; then
        cmake -S "$root" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DKELVARO_SANITIZE=ON -DKELVARO_BENCH=OFF
    fi
    cmake --build "$asan" -j2
    # Qt's own libraries keep a few blocks for the life of the process; those reports are
    # not ours. Everything else that leaks fails the run.
    export LSAN_OPTIONS="suppressions=$root/tests/e2e/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1"
    cd "$asan"
    ctest --output-on-failure -j2 "$@"
fi
