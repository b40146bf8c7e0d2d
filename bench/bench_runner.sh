#!/usr/bin/env bash
# Speed of the batch runner on a counting loop of 10,000,002 steps:
#   bench/bench_runner.sh [path/to/zevo-run] [runs]
# Prints, for "--no-protocol" and for the full protocol to /dev/null, the
# median over the runs of the wall-clock time and of the CPU time (user+sys),
# and the steps per second each gives.
set -euo pipefail
cd "$(dirname "$0")/.."
runner=${1:-build/tools/zevo-run}
runs=${2:-5}
[[ -x "$runner" ]] || { echo "zevo-run nicht gefunden: $runner" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Five steps per pass; R1 = 2,000,000 passes, then load, jzero and end.
printf '%s\r\n' '// Zaehlschleife' '10 load 1' '20 jzero 60' '30 csub 1' '40 store 1' \
    '50 goto 10' '60 end' >"$work/count.rmp"
steps=10000002

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

measure() {
    local label=$1
    shift
    local walls=() cpus=()
    for ((i = 0; i < runs; i++)); do
        local t
        t=$({ TIMEFORMAT='%3R %3U %3S'; time "$runner" --max-steps 20000000 -r 1=2000000 "$@" \
            "$work/count.rmp" >/dev/null 2>"$work/err"; } 2>&1)
        grep -qx "Schritte: $steps" "$work/err" || { echo "unerwartetes Ergebnis" >&2; exit 1; }
        walls+=("$(awk '{ print $1 }' <<<"$t")")
        cpus+=("$(awk '{ print $2 + $3 }' <<<"$t")")
    done
    local wall cpu
    wall=$(printf '%s\n' "${walls[@]}" | median)
    cpu=$(printf '%s\n' "${cpus[@]}" | median)
    awk -v l="$label" -v w="$wall" -v c="$cpu" -v s="$steps" -v n="$runs" 'BEGIN {
        printf "bench_runner %s: %d steps, median of %d runs: wall %.3f s (%.1f M steps/s), cpu %.3f s (%.1f M steps/s)\n",
               l, s, n, w, s / w / 1e6, c, s / c / 1e6 }'
}

measure "--no-protocol" --no-protocol
measure "protocol to /dev/null"
