# Sourced by play.sh and run-tests.sh: installs the Debian packages Kelvaro needs.
# As root it runs apt-get; otherwise it prints the exact apt-get line and stops.
kelvaro_install_deps() {
    local packages="g++ cmake ninja-build qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev fonts-dejavu-core xvfb xauth xdotool valgrind appstream desktop-file-utils dpkg-dev file lintian $*"
    local missing=""
    for p in $packages; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Kelvaro needs these Debian packages. Install them with:" >&2
        echo "  sudo apt-get install -y --no-install-recommends$missing" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq --no-install-recommends$missing
}

# Configures (once) and builds into build/ with Ninja.
kelvaro_build() {
    local root build
    root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    build="$root/build"
    if [ ! -f "$build/build.ninja" ]; then
        cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    fi
    cmake --build "$build" -j2
}
