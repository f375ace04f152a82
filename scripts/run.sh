#!/usr/bin/env bash
# Sets up the machine, builds Varnex and launches it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"
exec "$root/build/varnex" "$@"
