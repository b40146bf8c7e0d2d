#!/usr/bin/env bash
# Installs what building, testing and running Zevo needs on Debian 12.
# Idempotent: asks apt only for packages that are missing.
set -euo pipefail

packages=(
    build-essential cmake pkgconf
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n libgl-dev
    libxlsxwriter-dev zlib1g-dev
    fonts-liberation fontconfig
    xvfb xauth
)
if [[ "${ZEVO_FUZZ:-}" == 1 ]]; then
    # llvm brings llvm-symbolizer, without which a crash comes without function names.
    packages+=(clang libclang-rt-14-dev llvm)
fi
# Building the Debian package and checking it (./build.sh package, CI).
if [[ "${ZEVO_PACKAGE:-}" == 1 ]]; then
    # xdg-mime answers from the MIME database through File::MimeInfo.
    packages+=(dpkg-dev file lintian appstream desktop-file-utils mandoc man-db
        xdg-utils shared-mime-info libfile-mimeinfo-perl)
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
