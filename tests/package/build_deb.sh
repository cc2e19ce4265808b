#!/bin/sh
# Builds the .deb from this build folder into a folder of its own, as `cpack -G DEB` would for
# a release, so that lintian and the contents test look at a fresh package.
# Usage: build_deb.sh CPACK CPACK_CONFIG OUTPUT_DIR
set -eu
rm -rf "$3"
exec "$1" -G DEB --config "$2" -B "$3"
