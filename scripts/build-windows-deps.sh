#!/usr/bin/env bash
# Builds what Zevo for Windows links against, from Debian's own source
# packages, with the MinGW-w64 cross compiler, into a cache outside the clone:
#   ${ZEVO_WINDOWS_CACHE:-~/.cache/zevo-windows}/qt-<version>-mingw64
# one folder per Qt version, so later runs and CI reuse it. Each part (zlib,
# libxlsxwriter, Qt's qtbase) is installed into that folder and marked done by
# a stamp file written only after its install succeeded; a part without its
# stamp is built again from scratch.
#
#   scripts/build-windows-deps.sh [all|qt|xlsxwriter]    prints the folder last
#
# Qt's qtbase takes about 50 minutes on two cores; the rest a minute.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# The host Qt (Debian's, for moc/rcc/uic) and the cross-built one must agree.
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null | sed 's/+.*//')
qt_version=${qt_version:-6.4.2}
cache=${ZEVO_WINDOWS_CACHE:-$HOME/.cache/zevo-windows}
prefix=$cache/qt-$qt_version-mingw64
toolchain=$root/cmake/mingw-w64-x86_64.cmake
jobs=${ZEVO_WINDOWS_JOBS:-$(nproc)}
what=${1:-all}

ZEVO_WINDOWS=1 "$root/scripts/install-deps.sh" >&2

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)

# apt-get source needs a deb-src entry; add one for bookworm main beside the
# existing deb entry, with its mirror and keyring.
ensure_deb_src() {
    if apt-get source --print-uris qt6-base >/dev/null 2>&1; then
        return
    fi
    local uris="http://deb.debian.org/debian"
    local signed="/usr/share/keyrings/debian-archive-keyring.gpg"
    local file=/etc/apt/sources.list.d/debian.sources
    if [[ -f $file ]]; then
        # The first stanza naming bookworm: its URIs and Signed-By.
        local stanza
        stanza=$(awk 'BEGIN{RS=""} /Suites:[^\n]*bookworm( |\n|$)/ {print; exit}' "$file")
        local u s
        u=$(sed -n 's/^URIs:[[:space:]]*//p' <<<"$stanza" | head -n1)
        s=$(sed -n 's/^Signed-By:[[:space:]]*//p' <<<"$stanza" | head -n1)
        [[ -n $u ]] && uris=$u
        [[ -n $s ]] && signed=$s
    fi
    echo "Füge deb-src-Eintrag hinzu: /etc/apt/sources.list.d/zevo-debian-src.sources" >&2
    printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: %s\n' \
        "$uris" "$signed" | "${sudo[@]}" tee /etc/apt/sources.list.d/zevo-debian-src.sources >/dev/null
    "${sudo[@]}" apt-get update -q >&2
}

# Fetches and unpacks a Debian source package into a fresh scratch folder;
# prints the unpacked source tree.
# A source unpacked whole before (its marker written after apt-get source
# succeeded) is kept, so an interrupted build goes on where it stopped.
fetch_source() {
    local package=$1 scratch=$2
    if [[ ! -f $scratch/.fetched ]]; then
        rm -rf "$scratch"
        mkdir -p "$scratch"
        (cd "$scratch" && apt-get source -q "$package" >&2)
        touch "$scratch/.fetched"
    fi
    find "$scratch" -mindepth 1 -maxdepth 1 -type d ! -name build | head -n1
}

build_zlib() {
    [[ -f $prefix/.zlib-done ]] && return
    rm -f "$prefix/.xlsxwriter-done"
    local scratch=$cache/src/zlib
    local src
    src=$(fetch_source zlib "$scratch")
    cmake -G Ninja -S "$src" -B "$scratch/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" >&2
    # Static only: Debian's source lacks the resource file of the DLL, and a
    # static zlib inside libxlsxwriter's DLL is one file less to ship.
    cmake --build "$scratch/build" -j "$jobs" --target zlibstatic >&2
    mkdir -p "$prefix/include" "$prefix/lib"
    cp "$src/zlib.h" "$scratch/build/zconf.h" "$prefix/include/"
    cp "$scratch/build/libzlibstatic.a" "$prefix/lib/libz.a"
    rm -rf "$scratch"
    touch "$prefix/.zlib-done"
}

# libxlsxwriter with its bundled minizip (upstream's default), on that zlib.
build_xlsxwriter() {
    build_zlib
    [[ -f $prefix/.xlsxwriter-done ]] && return
    local scratch=$cache/src/libxlsxwriter
    local src
    src=$(fetch_source libxlsxwriter "$scratch")
    cmake -G Ninja -S "$src" -B "$scratch/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_PREFIX_PATH="$prefix" -DZLIB_ROOT="$prefix" \
        -DBUILD_SHARED_LIBS=ON -DUSE_SYSTEM_MINIZIP=OFF -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF >&2
    cmake --build "$scratch/build" -j "$jobs" >&2
    cmake --install "$scratch/build" >&2
    # Zevo finds it through pkg-config, as on Linux.
    mkdir -p "$prefix/lib/pkgconfig"
    cat >"$prefix/lib/pkgconfig/xlsxwriter.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: xlsxwriter
Description: A C library for creating Excel XLSX files
Version: $(sed -n 's/.*LXW_VERSION *"\(.*\)".*/\1/p' "$src/include/xlsxwriter.h" | head -n1)
Libs: -L\${libdir} -lxlsxwriter
Cflags: -I\${includedir}
EOF
    rm -rf "$scratch"
    touch "$prefix/.xlsxwriter-done"
}

# Qt keeps the file dialog's history and last folder, and the colour
# dialog's custom colours, in its user settings, on Windows in the registry.
# A portable program writes nothing but the user's files: in this Qt both
# write nothing (they still read, and find nothing). Idempotent.
patch_qt_settings() {
    local src=$1
    local marker="Zevo: a portable program stores no dialog state"
    local file
    for file in src/widgets/dialogs/qfiledialog.cpp src/gui/kernel/qplatformdialoghelper.cpp; do
        grep -q "$marker" "$src/$file" && continue
        perl -0pi -e "s/(void QFileDialogPrivate::saveSettings\(\)\n\{\n|void QColorDialogStaticData::writeSettings\(\) const\n\{\n)/\1    return; \/\/ $marker\n/" "$src/$file"
        grep -q "$marker" "$src/$file"
    done
}

build_qt() {
    [[ -f $prefix/.qtbase-done ]] && return
    local scratch=$cache/src/qt6-base
    local src
    src=$(fetch_source qt6-base "$scratch")
    patch_qt_settings "$src"
    # OpenGL stays on: Windows loads it at run time (dynamicgl), nothing is
    # needed to build, and the Windows platform plugin expects it.
    # Nothing of the host's may be found: no pkg-config files, no Vulkan headers.
    PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig PKG_CONFIG_PATH= \
    cmake -G Ninja -S "$src" -B "$scratch/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF \
        -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_icu=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
        -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
        -DFEATURE_tabletevent=OFF -DFEATURE_vulkan=OFF \
        -DFEATURE_widgets=ON -DFEATURE_printsupport=ON -DFEATURE_testlib=ON \
        -DFEATURE_style_fusion=ON -DFEATURE_style_windows=ON -DFEATURE_style_windowsvista=ON \
        -DFEATURE_directwrite=ON >&2
    cmake --build "$scratch/build" -j "$jobs" >&2
    cmake --install "$scratch/build" >&2
    rm -rf "$scratch"
    touch "$prefix/.qtbase-done"
}

# Qt's German texts for its own dialogs, from Debian's package of the same Qt
# version (they are data, the same on every system); where the Windows Qt
# looks for them (QLibraryInfo::TranslationsPath), so the tests find them.
install_translations() {
    install -D -m 644 /usr/share/qt6/translations/qtbase_de.qm "$prefix/translations/qtbase_de.qm"
    # The tests' offscreen platform takes its fonts from Qt's lib/fonts (Wine
    # has no Liberation Sans): the same faces as the Linux tests, for the tests only.
    mkdir -p "$prefix/lib/fonts"
    cp /usr/share/fonts/truetype/liberation/LiberationSans-*.ttf \
        /usr/share/fonts/truetype/liberation/LiberationMono-*.ttf "$prefix/lib/fonts/"
}

mkdir -p "$prefix"
ensure_deb_src
case "$what" in
all) build_xlsxwriter; build_qt; install_translations ;;
qt) build_qt; install_translations ;;
xlsxwriter) build_xlsxwriter ;;
*) echo "Aufruf: $0 [all|qt|xlsxwriter]" >&2; exit 2 ;;
esac
echo "$prefix"
