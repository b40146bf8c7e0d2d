#!/usr/bin/env bash
# Speed of grading a class: 30 programs x 20 cases, every case running into
# the step limit of 1,000,000 (600 million steps in all):
#   bench/bench_class.sh [path/to/zevo-run] [runs]
# Prints the median over the runs of the wall-clock time and of the CPU time
# (user+sys) of "zevo-run --aufgabe", and the steps per second each gives.
set -euo pipefail
cd "$(dirname "$0")/.."
runner=${1:-build/tools/zevo-run}
runs=${2:-3}
[[ -x "$runner" ]] || { echo "zevo-run nicht gefunden: $runner" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
programs=30
cases=20
limit=1000000
steps=$((programs * cases * limit))

# A runaway counting loop: four steps per pass, never at "end".
for ((p = 1; p <= programs; p++)); do
    printf '%s\r\n' "// Endlosschleife $p" '10 load 1' '20 cadd 1' '30 store 1' '40 goto 10' \
        '50 end' >"$work/p$p.rmp"
done
{
    echo "Schrittlimit: $limit"
    for ((c = 1; c <= cases; c++)); do echo "R1=$c R2=$((c * 2)) -> R3=$c"; done
} >"$work/task.txt"

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# The load before the runs: other work on the machine shows in the wall time.
load=$(cut -d' ' -f1 /proc/loadavg)
walls=() cpus=()
for ((i = 0; i < runs; i++)); do
    t=$({ TIMEFORMAT='%R %U %S'; time { "$runner" --aufgabe "$work/task.txt" "$work"/p*.rmp \
        >"$work/out" 2>&1 && echo 0 >"$work/status" || echo $? >"$work/status"; }; } 2>&1)
    # Every case fails, so the status is 1.
    [[ $(<"$work/status") -eq 1 ]] && grep -qx "Ergebnis: 0 von $programs Programmen haben alle Fälle bestanden." "$work/out" &&
        [[ $(grep -c "0 von $cases Fällen bestanden; Fall 1 (R1=1 R2=2): erwartet R3=1, erhalten \"Schrittlimit erreicht, Abbruch!\"" "$work/out") -eq $programs ]] ||
        { echo "unerwartetes Ergebnis" >&2; cat "$work/out" >&2; exit 1; }
    walls+=("$(awk '{ print $1 }' <<<"$t")")
    cpus+=("$(awk '{ print $2 + $3 }' <<<"$t")")
done
wall=$(printf '%s\n' "${walls[@]}" | median)
cpu=$(printf '%s\n' "${cpus[@]}" | median)
awk -v w="$wall" -v c="$cpu" -v s="$steps" -v n="$runs" -v p="$programs" -v k="$cases" \
    -v cores="$(nproc)" -v load="$load" 'BEGIN {
    printf "bench_class: %d programs x %d cases to the step limit, %d steps on %d cores (load %s), median of %d runs: wall %.2f s (%.2f M steps/s), cpu %.2f s (%.2f M steps/s)\n",
           p, k, s, cores, load, n, w, s / w / 1e6, c, s / c / 1e6 }'
