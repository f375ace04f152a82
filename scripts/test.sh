#!/usr/bin/env bash
# Sets up the machine, builds Varnex and its tests, and runs every test headless through CTest.
# With --sanitize, a separate AddressSanitizer + UndefinedBehaviorSanitizer build is tested.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

build_dir="$root/build"
options=()
if [[ ${1:-} == --sanitize ]]; then
    build_dir="$root/build-sanitize"
    options=(-DVARNEX_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo)
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

"$root/scripts/build.sh" "$build_dir" "${options[@]}"
export QT_QPA_PLATFORM=offscreen
cd "$build_dir"
ctest --output-on-failure -j"$(nproc)"
