#!/usr/bin/env bash
# One entry point for newcomers and CI:
#   ./build.sh run        install what is missing, build, start Zevo
#   ./build.sh test       install what is missing, build, run every test
#   ./build.sh sanitize   the same tests in a build with ASan and UBSan
#   ./build.sh bench      build and run the benchmarks
set -euo pipefail
cd "$(dirname "$0")"

command=${1:-run}
jobs=$(nproc)

configure_and_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

case "$command" in
run)
    scripts/install-deps.sh
    configure_and_build build
    exec build/app/zevo
    ;;
test)
    scripts/install-deps.sh
    configure_and_build build
    ctest --test-dir build --output-on-failure -j "$jobs"
    ;;
sanitize)
    scripts/install-deps.sh
    configure_and_build build-sanitize -DZEVO_SANITIZE=ON
    ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
    ;;
bench)
    scripts/install-deps.sh
    configure_and_build build -DCMAKE_BUILD_TYPE=Release
    for b in build/bench/bench_*; do
        [[ -x "$b" ]] && QT_QPA_PLATFORM=offscreen "$b"
    done
    ;;
*)
    echo "Aufruf: ./build.sh run|test|sanitize|bench" >&2
    exit 2
    ;;
esac
