#!/usr/bin/env bash
# Builds what Zevo for Windows links against, from Debian's own source
# packages, with the MinGW-w64 cross compiler, into a cache outside the clone:
#   ${ZEVO_WINDOWS_CACHE:-~/.cache/zevo-windows}/qt-<version>-mingw64
# one folder per Qt version, so later runs and CI reuse it. Each part (zlib,
# libxlsxwriter, Qt's qtbase) is installed into that folder and marked done by
# a stamp file written only after its install succeeded; a part without its
# stamp is built again from scratch.
#
#   scripts/build-windows-deps.sh [all|qt|xlsxwriter]    builds what is missing
#   scripts/build-windows-deps.sh prefix    prints the folder of a finished build
#
# Qt's qtbase takes about 50 minutes on two cores; the rest a minute.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

what=${1:-all}
case "$what" in
all | qt | xlsxwriter | prefix) ;;
*) echo "Aufruf: $0 [all|qt|xlsxwriter|prefix]" >&2; exit 2 ;;
esac
die() { echo "build-windows-deps.sh: $*" >&2; exit 1; }

[[ $what == prefix ]] || ZEVO_WINDOWS=1 "$root/scripts/install-deps.sh" >&2

# The host Qt (Debian's, for moc/rcc/uic) and the cross-built one must be the
# same version: read it after install-deps.sh has installed the host's.
host_qt=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools 2>/dev/null) ||
    die "qt6-base-dev-tools ist nicht installiert; scripts/install-deps.sh installiert es."
qt_version=${host_qt%%+*}
[[ $qt_version =~ ^6\.[0-9]+\.[0-9]+$ ]] ||
    die "Die Qt-Version des Systems ($host_qt) ist nicht lesbar."
cache=${ZEVO_WINDOWS_CACHE:-$HOME/.cache/zevo-windows}
prefix=$cache/qt-$qt_version-mingw64
toolchain=$root/cmake/mingw-w64-x86_64.cmake
jobs=${ZEVO_WINDOWS_JOBS:-$(nproc)}

# The folder of a finished build, for build.sh: nothing is built or installed.
if [[ $what == prefix ]]; then
    for part in zlib xlsxwriter qtbase; do
        [[ -f $prefix/.$part-done ]] || die "$prefix ist nicht fertig gebaut ($part fehlt); zuerst: $0 all"
    done
    echo "$prefix"
    exit 0
fi

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
# A package given as name=version is fetched in exactly that version.
fetch_source() {
    local package=$1 scratch=$2
    if [[ ! -f $scratch/.fetched ]]; then
        rm -rf "$scratch"
        mkdir -p "$scratch"
        (cd "$scratch" && apt-get source -q "$package" >&2) ||
            die "Debian bietet die Quellen von $package nicht an (apt-get source)."
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
        # A Qt whose text differs would otherwise be built unpatched, silently.
        grep -q "$marker" "$src/$file" ||
            die "$file: die Stelle für den Eingriff fehlt in diesem Qt ($qt_version); das Muster in patch_qt_settings passt nicht mehr."
    done
}

build_qt() {
    [[ -f $prefix/.qtbase-done ]] && return
    local scratch=$cache/src/qt6-base
    local src
    src=$(fetch_source "qt6-base=$host_qt" "$scratch")
    # A scratch folder left by an earlier run may hold another version.
    local fetched
    fetched=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Version)
    [[ $fetched == "$host_qt" ]] ||
        die "$scratch enthält qt6-base $fetched, das System hat $host_qt; den Ordner löschen und neu starten."
    patch_qt_settings "$src"
    # OpenGL stays on: Windows loads it at run time (dynamicgl), nothing is
    # needed to build, and the Windows platform plugin expects it.
    # Nothing of the host's may be found: no pkg-config files, no Vulkan headers.
    PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig PKG_CONFIG_PATH='' \
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
esac
