#!/usr/bin/env bash
# One entry point for newcomers and CI:
#   ./build.sh run        install what is missing, build, start Zevo
#   ./build.sh test       install what is missing, build, run every test
#   ./build.sh sanitize   the same tests in a build with ASan and UBSan
#   ./build.sh bench      build and run the benchmarks
#   ./build.sh fuzz [s]   build the fuzz targets with clang and run each for s seconds (12)
#   ./build.sh package    build the Debian package for this release,
#                         build/zevo_<version>-1~deb<release>_<arch>.deb, and check it
#   ./build.sh windows    Zevo for Windows: Qt cross-built once into a cache (about 50
#                         minutes), then Zevo, its tests under Wine, the comparison with
#                         the Linux zevo-run, build-windows/Zevo-<version>-windows-x64.zip
#                         and the installer build-windows/Zevo-<version>-x64.msi, tested
#                         under Wine
set -euo pipefail
cd "$(dirname "$0")"

command=${1:-run}
jobs=$(nproc)

# A compiler cache shared by every build folder and every clone on this
# machine, so that CI's clean clone compiles only what changed since the last
# build. Paths are taken relative to the clone (and the clone's folder left
# out of the hash), or no two clones would share an entry. Asked again before
# configuring: on a fresh machine install-deps has only just installed it.
use_ccache() {
    if command -v ccache >/dev/null; then
        export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
        export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
        export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
        export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
    fi
}
use_ccache

configure_and_build() {
    local dir=$1
    shift
    use_ccache
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
    # A short rate run by default (3,000 steps, 30 s); the full one takes about
    # 17 minutes: ZEVO_BENCH_RATE_STEPS=100000 ./build.sh bench
    # A folder of its own: switching build/ to Release would rebuild all of
    # the test build the next time "test" runs.
    scripts/install-deps.sh
    configure_and_build build-release -DCMAKE_BUILD_TYPE=Release
    export QT_QPA_PLATFORM=offscreen
    for b in build-release/bench/bench_*; do
        if [[ -f "$b" && -x "$b" ]]; then
            echo "== $(basename "$b")"
            "$b"
        fi
    done
    echo "== bench_runner"
    bench/bench_runner.sh build-release/tools/zevo-run
    echo "== bench_class"
    bench/bench_class.sh build-release/tools/zevo-run
    ;;
fuzz)
    ZEVO_FUZZ=1 scripts/install-deps.sh
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DZEVO_FUZZ=ON >/dev/null
    cmake --build build-fuzz -j "$jobs" --target fuzz_all
    seconds=${2:-12}
    # Qt's font set-up in the editor target leaks inside fontconfig; not ours.
    export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
    # Each target starts from a copy of its seeds, so the run never changes the
    # repository; a crash is kept in build-fuzz/artifacts for fuzz/regressions.
    mkdir -p build-fuzz/artifacts
    for seeds in fuzz/corpus/*/; do
        target=$(basename "$seeds")
        work=$(mktemp -d)
        cp "$seeds"* "$work"/
        extra=()
        [[ -d fuzz/regressions/$target ]] && extra=("fuzz/regressions/$target")
        log=build-fuzz/artifacts/$target.log
        echo "Fuzz: $target, $seconds s"
        status=0
        build-fuzz/fuzz/fuzz_"$target" -max_total_time="$seconds" -timeout=10 \
            -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$target-" \
            "$work" "${extra[@]}" >"$log" 2>&1 || status=$?
        rm -rf "$work"
        if ((status != 0)); then
            tail -n 60 "$log" >&2
            echo "Fuzz: $target failed, input kept in build-fuzz/artifacts" >&2
            exit 1
        fi
        grep -E '^(Done|stat::number_of_executed_units)' "$log"
    done
    ;;
package)
    # Reuses the build folder of "run" and "test"; the package's binaries are
    # stripped copies of the ones there.
    ZEVO_PACKAGE=1 scripts/install-deps.sh
    configure_and_build build
    rm -f build/zevo_*.deb
    (cd build && cpack -G DEB >/dev/null)
    scripts/check-package.sh build/zevo_*.deb
    ;;
windows)
    # The Linux zevo-run is what the Windows one is compared with.
    ZEVO_WINDOWS=1 scripts/install-deps.sh
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j "$jobs" --target zevo-run
    scripts/build-windows-deps.sh all
    prefix=$(scripts/build-windows-deps.sh prefix)
    # pkg-config and CMake see the Windows libraries only, never the host's.
    PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig PKG_CONFIG_PATH='' \
        cmake -G Ninja -S . -B build-windows -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_PREFIX_PATH="$prefix" -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >/dev/null
    cmake --build build-windows -j "$jobs"
    # Wine makes its prefix, and starts its services, with the first program
    # it runs. A test that did so would die racing another for the prefix, or
    # hang: the services keep its output pipe open and ctest waits for them.
    # So the prefix is made first, and one Wine server with its services runs
    # for the whole suite, their output going nowhere.
    export WINEPREFIX=$PWD/build-windows/wineprefix
    build-windows/wine-run.sh wineboot -i >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w
    /usr/lib/wine/wineserver -p
    trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
    build-windows/wine-run.sh wineboot </dev/null >/dev/null 2>&1 || true
    ctest --test-dir build-windows --output-on-failure -j "$jobs"
    scripts/compare-windows-runner.sh build/tools/zevo-run build-windows
    scripts/pack-windows.sh build-windows "$prefix"
    # The same folder as a Windows Installer package, and an older version of
    # it for the test of the update, both checked in a Wine prefix of their own.
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-windows/CMakeCache.txt)
    folder=build-windows/package/Zevo-$version-windows-x64
    scripts/make-msi.sh "$folder" "build-windows/Zevo-$version-x64.msi"
    scripts/make-msi.sh "$folder" build-windows/package/Zevo-older-x64.msi 0.9
    scripts/test-msi.sh "$folder" "build-windows/Zevo-$version-x64.msi" \
        build-windows/package/Zevo-older-x64.msi
    ;;
*)
    echo "Aufruf: ./build.sh run|test|sanitize|bench|fuzz|package|windows" >&2
    exit 2
    ;;
esac
