#!/usr/bin/env bash
# Start-up time (launch → main window mapped) and peak memory 1 s after start-up, under Xvfb.
# Usage: scripts/bench-startup.sh [runs]    (builds the Release program first)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-15}
"$root/scripts/setup.sh"
for tool in xvfb-run xdotool xmessage; do
    command -v "$tool" >/dev/null || {
        sudo=(); [[ $(id -u) -ne 0 ]] && sudo=(sudo)
        "${sudo[@]}" apt-get install -y -qq --no-install-recommends xvfb xauth xdotool x11-utils >/dev/null
    }
done
"$root/scripts/build.sh" "$root/build" >/dev/null

xvfb-run -a -s '-screen 0 1024x768x24 -noreset' bash -s "$root/build/varnex" "$runs" <<'INNER'
program=$1 runs=$2
# (-noreset: the server must not reset between runs, when its last client leaves.)
# What xdotool's own start and search cost, measured on a window that is already mapped.
xmessage -title Varnex-probe -timeout 30 probe 2>/dev/null &
sleep 1
probe_start=$(date +%s%N)
xdotool search --onlyvisible --name Varnex-probe >/dev/null
overhead=$((($(date +%s%N) - probe_start) / 1000))
kill %1 2>/dev/null || true

times=()
for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$program" 2>>/tmp/varnex-bench.err &
    pid=$!
    # --sync sleeps half a second between its searches: poll by hand instead.
    until xdotool search --onlyvisible --name '^Varnex$' >/dev/null 2>&1; do
        kill -0 $pid 2>/dev/null || { echo "Varnex did not start; see /tmp/varnex-bench.err"; exit 1; }
    done
    times+=($((($(date +%s%N) - start) / 1000)))
    sleep 1
    hwm=$(awk '/VmHWM/ {print $2}' /proc/$pid/status)
    kill $pid
    wait $pid 2>/dev/null || true
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
median=${sorted[$((runs / 2))]}
echo "start-up to mapped window, median of $runs: $((median / 1000)).$(((median % 1000) / 100)) ms" \
     "(xdotool's own search: $((overhead / 1000)).$(((overhead % 1000) / 100)) ms, included)"
echo "peak resident memory 1 s after start-up (last run): $((hwm / 1024)) MB"
INNER
