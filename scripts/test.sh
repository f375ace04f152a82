#!/usr/bin/env bash
# Sets up the machine, builds Varnex and its tests, and runs every test headless through CTest.
# Usage: scripts/test.sh [--sanitize] [--werror]
#   --sanitize  a separate AddressSanitizer + UndefinedBehaviorSanitizer build is tested
#   --werror    compiler warnings fail the build (CI builds)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

build_dir="$root/build"
options=()
for argument in "$@"; do
    case $argument in
    --sanitize)
        build_dir="$root/build-sanitize"
        options+=(-DVARNEX_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo)
        export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
        export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
        export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
        ;;
    --werror)
        options+=(-DVARNEX_WERROR=ON)
        ;;
    *)
        echo "scripts/test.sh: unknown option '$argument' (known: --sanitize, --werror)" >&2
        exit 2
        ;;
    esac
done

"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$build_dir" "${options[@]}"
export QT_QPA_PLATFORM=offscreen
cd "$build_dir"
ctest --output-on-failure -j"$(nproc)"
