#!/usr/bin/env bash
# Packs the portable Windows folder of a cross build:
#   scripts/pack-windows.sh BUILD-DIR QT-PREFIX
# gives BUILD-DIR/Zevo-<version>-windows-x64.zip with one folder inside: the
# two programs, the DLLs and Qt plugins they load, Qt's German texts, the
# examples with their task files, the help and LIESMICH.txt. Every DLL a file
# in the folder imports is checked to be in the folder or part of Windows.
set -euo pipefail
build=$(cd "$1" && pwd)
prefix=$2
root=$(cd "$(dirname "$0")/.." && pwd)
triple=x86_64-w64-mingw32
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=Zevo-$version-windows-x64
stage=$build/package/$name
rm -rf "$build/package" "$build/$name.zip"
mkdir -p "$stage"/{platforms,styles,printsupport,translations}

cp "$build/app/zevo.exe" "$build/tools/zevo-run.exe" "$build/pruefen/zevo-pruefen.exe" "$stage/"
"$triple-strip" "$stage/zevo.exe" "$stage/zevo-run.exe" "$stage/zevo-pruefen.exe"
for lib in Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport; do
    cp "$prefix/bin/$lib.dll" "$stage/"
done
cp "$prefix/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$prefix/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
cp "$prefix"/plugins/printsupport/*.dll "$stage/printsupport/" 2>/dev/null || rmdir "$stage/printsupport"
cp "$prefix/bin/libxlsxwriter.dll" "$stage/"
for runtime in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    cp "$("$triple-g++-posix" -print-file-name="$runtime")" "$stage/"
done
# Qt's own dialogs in German; found through qt.conf, which also keeps Qt from
# looking for its plugins in the folder it was built in.
cp /usr/share/qt6/translations/qtbase_de.qm "$stage/translations/"
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$stage/qt.conf"

mkdir -p "$stage/hilfedateien"
cp "$root/app/hilfedateien/"* "$stage/hilfedateien/"
(cd "$root/examples" && find . -type f \( -name '*.rmp' -o -name '*.aufgabe' \) -print0 |
    xargs -0 -I{} install -D -m 644 {} "$stage/examples/{}")
# As Windows' own editor shows it best: code page 1252, CR LF.
iconv -f UTF-8 -t WINDOWS-1252 "$root/dist/windows/LIESMICH.txt" | sed 's/$/\r/' >"$stage/LIESMICH.txt"

# Every import is in the folder or a DLL of Windows itself (Wine has them).
system_dlls=$(ls /usr/lib/x86_64-linux-gnu/wine/x86_64-windows | tr '[:upper:]' '[:lower:]')
missing=0
while IFS= read -r -d '' file; do
    while read -r dll; do
        # api-ms-win-*: names of Windows' API sets, resolved by its loader.
        if [[ ! -e $stage/$dll && ${dll,,} != api-ms-win-* ]] && ! grep -qxF "${dll,,}" <<<"$system_dlls"; then
            echo "Fehlt: $dll (gebraucht von ${file#"$stage"/})" >&2
            missing=1
        fi
    done < <("$triple-objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p')
done < <(find "$stage" -name '*.exe' -print0 -o -name '*.dll' -print0)
((missing == 0))

(cd "$build/package" && zip -q -r -X "../$name.zip" "$name")
echo "$build/$name.zip"
