#!/usr/bin/env bash
# A session of the Release program under valgrind memcheck, offscreen: the main window starts,
# a seeded random user works it for a thousand events (keys, menu shortcuts, Exit included,
# clicks, page changes, the properties dialog), and the window is closed and destroyed.
# Exits non-zero on any memory error or definite leak outside the platform's own libraries,
# which tests/memcheck/platform.supp lists.
# Usage: scripts/memcheck.sh [events]    (default 1000)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
events=${1:-1000}
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" --target tst_RandomUser
log="$root/build/memcheck.log"
export QT_QPA_PLATFORM=offscreen
status=0
valgrind --tool=memcheck --error-exitcode=3 --leak-check=full --show-leak-kinds=definite \
    --errors-for-leak-kinds=definite --num-callers=30 \
    --suppressions="$root/tests/memcheck/platform.supp" --log-file="$log" \
    "$root/build/tests/tst_RandomUser" -events "$events" -seed 20261208 -maxwarnings 1 \
    >/dev/null || status=$?
grep -E 'ERROR SUMMARY|definitely lost|indirectly lost|possibly lost|suppressed:' "$log" || true
if ((status != 0)); then
    echo "memcheck: exit status $status; the report is in $log" >&2
    exit 1
fi
