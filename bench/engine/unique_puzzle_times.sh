#!/usr/bin/env bash
# Time of a unique 12 x 12 puzzle of each choice made through kelvaro-puzzles, with the machine's
# load beside it, since the figures mean little without it.
#   bench/engine/unique_puzzle_times.sh [build dir, default build] [puzzles, default 300]
# First the tool's own table (time per unique puzzle inside one run, for each choice), then
# whole runs of "generate --unique --level L", one per seed, process start included.
set -euo pipefail
build=${1:-build}
count=${2:-300}
tool="$build/tools/kelvaro-puzzles"
echo "load before: $(cat /proc/loadavg)"
"$tool" stats --size 12 --seed 1 --count "$count" --unique
for level in any gentle demanding; do
    times=()
    for seed in $(seq 1 "$count"); do
        start=$(date +%s%N)
        "$tool" generate --size 12 --seed "$seed" --unique --level "$level" --format json >/dev/null
        times+=($(( ($(date +%s%N) - start) / 1000 )))
    done
    sorted=($(printf '%s\n' "${times[@]}" | sort -n))
    n=${#sorted[@]}
    rank() { echo "${sorted[$(( (n * $1 + 99) / 100 - 1 ))]}"; }
    printf '%-9s whole runs (ms)   median %.1f   95%% %.1f   worst %.1f   over %d seeds\n' \
        "$level" "$(echo "$(rank 50) / 1000" | bc -l)" "$(echo "$(rank 95) / 1000" | bc -l)" \
        "$(echo "${sorted[n - 1]} / 1000" | bc -l)" "$n"
done
echo "load after: $(cat /proc/loadavg)"
