#!/usr/bin/env bash
# Start-up time (launch → main window mapped) and peak memory 1 s after start-up, under Xvfb.
# Usage: scripts/bench-startup.sh [runs]    (builds the Release program first)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-21}
"$root/scripts/setup.sh"
if ! command -v xvfb-run >/dev/null || [[ ! -f /usr/include/X11/Xlib.h ]]; then
    sudo=()
    [[ $(id -u) -ne 0 ]] && sudo=(sudo)
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends xvfb xauth libx11-dev >/dev/null
fi
"$root/scripts/build.sh" "$root/build" >/dev/null
timer="$root/build/startup_timer"
cc -O2 -Wall -Wextra "$root/tests/benchmarks/startup_timer.c" -o "$timer" -lX11

# -noreset: the server must not reset between runs, when its last client leaves.
results=$(xvfb-run -a -s '-screen 0 1024x768x24 -noreset' bash -c \
    "for ((i = 0; i < $runs; i++)); do '$timer' Varnex '$root/build/varnex' 2>/dev/null; done")
sort -n <<<"$results" | awk -v runs="$runs" '
    { time[NR] = $1; if ($2 > peak) peak = $2 }
    END {
        printf "start-up to mapped window: median %.1f ms, fastest %.1f ms, slowest %.1f ms (%d runs)\n",
               time[int((NR + 1) / 2)], time[1], time[NR], runs
        printf "peak resident memory 1 s after start-up: %.1f MB at most\n", peak / 1024
    }'
