#!/bin/sh
# Runs lintian on the .deb in the given folder: any error or warning fails, informational
# tags are shown but accepted. Skips (77) where lintian is not installed.
# Usage: lintian.sh PACKAGE_DIR
set -eu
if ! command -v lintian >/dev/null 2>&1; then
    echo "lintian is not installed"
    exit 77
fi
# Our own settings only: a user's lintianrc must not change the verdict.
exec lintian --no-cfg --fail-on error,warning --display-info "$1"/*.deb
