#!/usr/bin/env bash
# Start-up of the program against a bare window that shows one line of text in the program's font,
# launched alternately under one Xvfb: launch → window mapped, launch → first drawing into it, and
# peak resident memory 1 s after the map.
# Usage: scripts/bench-startup.sh [runs]    (builds the Release program first)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-21}
"$root/scripts/setup.sh"
if ! command -v xvfb-run >/dev/null || [[ ! -f /usr/include/X11/extensions/Xdamage.h ]]; then
    sudo=()
    [[ $(id -u) -ne 0 ]] && sudo=(sudo)
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends xvfb xauth libx11-dev \
        libxdamage-dev >/dev/null
fi
"$root/scripts/build.sh" "$root/build" >/dev/null
timer="$root/build/startup_timer"
cc -O2 -Wall -Wextra "$root/tests/benchmarks/startup_timer.c" -o "$timer" -lX11 -lXdamage

# -noreset: the server must not reset between runs, when its last client leaves. Each line of
# the results: which program, time to map, time to first paint, peak memory.
results=$(xvfb-run -a -s '-screen 0 1024x768x24 -noreset' bash -c "
    for ((i = 0; i < $runs; i++)); do
        echo text \$('$timer' TextWindow '$root/build/tests/text_window' 2>/dev/null)
        echo varnex \$('$timer' Varnex '$root/build/varnex' 2>/dev/null)
    done")
awk -v runs="$runs" '
    function sort(values, count,    i, j, value) {
        for (i = 2; i <= count; i++) {
            value = values[i]
            for (j = i - 1; j >= 1 && values[j] > value; j--) values[j + 1] = values[j]
            values[j + 1] = value
        }
    }
    function median(values, count) {
        return count % 2 ? values[(count + 1) / 2] : (values[count / 2] + values[count / 2 + 1]) / 2
    }
    function spread(values, count) {
        return sprintf("%.1f–%.1f", values[1], values[count])
    }
    {
        n = ++count[$1]; map[$1, n] = $2; paint[$1, n] = $3
        if ($4 > peak[$1]) peak[$1] = $4
    }
    END {
        for (p = 1; p <= 2; p++) {
            program = p == 1 ? "text" : "varnex"
            for (i = 1; i <= count[program]; i++) { m[i] = map[program, i]; f[i] = paint[program, i] }
            sort(m, count[program]); sort(f, count[program])
            mapMedian[program] = median(m, count[program]); paintMedian[program] = median(f, count[program])
            printf "%-12s map %5.1f ms (%s), first paint %5.1f ms (%s), peak memory %.1f MB\n",
                   p == 1 ? "text window" : "Varnex", mapMedian[program], spread(m, count[program]),
                   paintMedian[program], spread(f, count[program]), peak[program] / 1024
        }
        printf "Varnex / text window: map %.2f ×, first paint %.2f × (medians of %d alternating runs)\n",
               mapMedian["varnex"] / mapMedian["text"], paintMedian["varnex"] / paintMedian["text"], runs
    }' <<<"$results"
