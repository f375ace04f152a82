#!/usr/bin/env bash
# Builds the Debian package of Varnex: scripts/package.sh [BUILD_DIR]   (default: build/)
# The package lands in BUILD_DIR as varnex_<version>_<arch>.deb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$build_dir"
cd "$build_dir"
cpack -G DEB
