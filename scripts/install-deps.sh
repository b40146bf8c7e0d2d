#!/usr/bin/env bash
# Installs what building, testing and running Zevo needs on Debian 12 or 13.
# Idempotent: asks apt only for packages that are missing.
set -euo pipefail

# The release decides the few names that differ; a release without a number
# (testing, unstable) is taken as the newest.
# shellcheck source=/dev/null
release=$(. /etc/os-release && echo "${VERSION_ID:-99}")
release=${release%%.*}

packages=(
    build-essential cmake pkgconf ccache
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n libgl-dev
    libxlsxwriter-dev zlib1g-dev
    fonts-liberation fontconfig
    xvfb xauth
)
# Debian 13's xlsxwriter.pc requires minizip, which libxlsxwriter-dev does not
# pull in: without it pkg-config, and so CMake, finds no libxlsxwriter.
if ((release >= 13)); then
    packages+=(libminizip-dev)
fi
if [[ "${ZEVO_FUZZ:-}" == 1 ]]; then
    # llvm brings llvm-symbolizer, without which a crash comes without function names.
    # libclang-rt-dev follows the release's clang: 14 on Debian 12, 19 on 13.
    packages+=(clang libclang-rt-dev llvm)
fi
# Building the Debian package and checking it (./build.sh package, CI).
if [[ "${ZEVO_PACKAGE:-}" == 1 ]]; then
    # xdg-mime answers from the MIME database through File::MimeInfo;
    # debootstrap makes the empty system the package is installed into.
    packages+=(dpkg-dev file lintian appstream desktop-file-utils mandoc man-db
        xdg-utils shared-mime-info libfile-mimeinfo-perl debootstrap)
fi
# Zevo for Windows (./build.sh windows, CI): the MinGW-w64 cross compiler,
# Ninja for the Qt build, dpkg-dev for apt-get source, Wine for the tests and
# the comparison with the Linux runner, zip for the folder, wixl and msitools
# for the installer, xdotool and bc for its test.
if [[ "${ZEVO_WINDOWS:-}" == 1 ]]; then
    packages+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
        mingw-w64-x86-64-dev ninja-build dpkg-dev perl python3 wine64 zip unzip xvfb xauth
        wixl msitools xdotool bc)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
((${#missing[@]} == 0)) && exit 0

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
echo "Installiere: ${missing[*]}"
"${sudo[@]}" apt-get update -q
# Through env: sudo would drop the variable from the environment.
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
