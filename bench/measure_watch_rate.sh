#!/bin/bash
# Live frames per second of omvi-cli against omvi-ecu-sim paced at the real line rate, compared
# with what the wire and the 130 ms polling tick allow.
#
#   bench/measure_watch_rate.sh [BIN_DIR] [FRAMES]
#
# BIN_DIR holds omvi-cli and omvi-ecu-sim (default: build/bin); FRAMES defaults to 100.
set -eu

bin=${1:-build/bin}
frames=${2:-100}
work=$(mktemp -d)
chmod 700 "$work"
sim_pid=
cleanup() {
    if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

export XDG_RUNTIME_DIR="$work"
"$bin/omvi-ecu-sim" --wire-rate --link "$work/port" --no-publish --quiet >"$work/sim.out" &
sim_pid=$!
i=0
while [ ! -L "$work/port" ] && [ $i -lt 50 ]; do sleep 0.1; i=$((i + 1)); done

start=$(date +%s.%N)
TIMEFORMAT='%U %S'
cpu=$( { time "$bin/omvi-cli" watch --port "$work/port" --count "$frames" --format csv \
    >"$work/watch.csv"; } 2>&1 )
end=$(date +%s.%N)

# Rows carry the time each frame was complete; the rate is taken between the first and the last.
awk -F, -v wall_start="$start" -v wall_end="$end" -v cpu="$cpu" '
    function seconds(stamp,    t, hms) {
        t = substr(stamp, index(stamp, "T") + 1, 12)
        split(t, hms, ":")
        return hms[1] * 3600 + hms[2] * 60 + hms[3]
    }
    NR == 2 { first = seconds($1) }
    NR > 1  { last = seconds($1); rows++ }
    END {
        span = last - first
        if (span < 0) span += 86400
        frame_bytes = 74; request_bytes = 7; bytes_per_s = 720; tick_s = 0.130
        limit = 1 / ((request_bytes + frame_bytes) / bytes_per_s + tick_s)
        # The simulator lets a 16-byte burst go at once after a pause and takes requests
        # unpaced, so it serves a little faster than a real line.
        sim_limit = 1 / ((frame_bytes - 16) / bytes_per_s + tick_s)
        split(cpu, c, " ")
        rate = (rows - 1) / span
        printf "frames printed:          %d\n", rows
        printf "first to last frame:     %.3f s\n", span
        printf "measured:                %.3f frames/s (%.1f ms per cycle)\n", rate, 1000 / rate
        printf "wire + tick limit:       %.3f frames/s (%.1f ms per cycle)\n", limit, 1000 / limit
        printf "measured / limit:        %.1f %%\n", 100 * rate / limit
        printf "simulator pacing allows: %.3f frames/s (%.1f ms per cycle), measured %.1f %%\n", sim_limit, 1000 / sim_limit, 100 * rate / sim_limit
        printf "whole run incl. connect: %.3f s\n", wall_end - wall_start
        printf "omvi-cli CPU time:       %.3f s user, %.3f s system\n", c[1], c[2]
    }' "$work/watch.csv"
