#!/usr/bin/env bash
# bench_rate of this tree and of another revision (main by default), side by
# side in one go, so that both see the same machine at the same time:
#
#   bench/compare_rate.sh [steps] [runs]           (3000 steps, 3 runs each)
#   ZEVO_COMPARE_REF=dc43ca3 bench/compare_rate.sh  another revision than main
#   ZEVO_COMPARE_CALLGRIND=1 bench/compare_rate.sh  also instructions per pass
#
# Both are Release builds: this tree's in build-release, the other revision's
# sources and build in build-compare/<ref>. The runs alternate (this, other,
# this, ...); printed are the medians over the runs of: CPU time per pass,
# overhead per pass beyond its sleep, the rate over the last 1,000 steps, the
# limit the measured sleep sets (1000 / median sleep), and the rate as a share
# of that limit. CPU time depends on the machine's load; with
# ZEVO_COMPARE_CALLGRIND=1 each build also runs once under callgrind (2,000
# steps, slow), which counts the instructions of the run loop whatever the load.
set -euo pipefail
cd "$(dirname "$0")/.."
steps=${1:-3000}
runs=${2:-3}
ref=${ZEVO_COMPARE_REF:-main}

if command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
fi
build() {
    cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$2" -j "$(nproc)" --target bench_rate >/dev/null
}

other=build-compare/$(git rev-parse --short "$ref")
if [[ ! -d $other/src ]]; then
    mkdir -p "$other/src"
    git archive "$ref" | tar -x -C "$other/src"
fi
echo "building this tree (build-release) and $ref ($other)"
build . build-release
build "$other/src" "$other/build"
this_bench=build-release/bench/bench_rate
other_bench=$other/build/bench/bench_rate

export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One run: cpu, overhead, rate of the last 1,000 steps, median sleep (ms).
run() {
    "$1" "$steps" >"$work/out" 2>/dev/null
    awk '/^steps\/s, steps [0-9]+-[0-9]+:/ { rate = $NF }
         /cpu per pass median/ { for (i = 1; i <= NF; i++) { if ($i == "median" && $(i - 1) == "pass") cpu = $(i + 1);
                                                              if ($i == "sleep:") over = $(i + 2) } }
         /^median sleep10ms:/ { sleep = $3 }
         END { print cpu, over, rate, sleep }' "$work/out"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for ((i = 0; i < runs; i++)); do
    run "$this_bench" >>"$work/this"
    run "$other_bench" >>"$work/other"
done

# Prints the medians of one build's runs and leaves its CPU per pass in $cpu.
report() {
    local name=$1 file=$2
    local over rate sleep
    cpu=$(cut -d' ' -f1 "$file" | median)
    over=$(cut -d' ' -f2 "$file" | median)
    rate=$(cut -d' ' -f3 "$file" | median)
    sleep=$(cut -d' ' -f4 "$file" | median)
    awk -v n="$name" -v c="$cpu" -v o="$over" -v r="$rate" -v s="$sleep" 'BEGIN {
        printf "%-8s cpu per pass %.3f ms, overhead per pass %.3f ms, rate %.2f steps/s, sleep limit %.2f steps/s, %.1f%% of the limit\n",
               n, c, o, r, 1000 / s, 100 * r * s / 1000 }'
}
echo "bench_rate $steps steps, median of $runs runs each, load $(cut -d' ' -f1 /proc/loadavg)"
report this "$work/this"
this_cpu=$cpu
report "$ref" "$work/other"
awk -v a="$this_cpu" -v b="$cpu" -v ref="$ref" 'BEGIN { printf "cpu per pass, this / %s: %.2f\n", ref, a / b }'

if [[ ${ZEVO_COMPARE_CALLGRIND:-0} != 0 ]]; then
    # Only the run loop is counted: collection starts when it is entered.
    count() {
        valgrind --tool=callgrind --collect-atstart=no '--toggle-collect=RunControl::clockedRun()' \
            --callgrind-out-file="$work/cg" "$1" 2000 >/dev/null 2>"$work/cg.err"
        awk '/Collected :/ { printf "%.0f\n", $NF / 2000 }' "$work/cg.err"
    }
    a=$(count "$this_bench")
    b=$(count "$other_bench")
    echo "instructions per pass (callgrind, 2000 steps): this $a, $ref $b, this / $ref $(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.2f", a / b }')"
fi
