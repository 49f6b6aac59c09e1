#!/usr/bin/env bash
# Installs the build into an empty staging folder, as a package build does:
#   stage.sh CMAKE BUILD_DIR STAGE
set -euo pipefail
cmake=$1 build=$2 stage=$3
rm -rf "$stage"
DESTDIR=$stage "$cmake" --install "$build" --prefix /usr
