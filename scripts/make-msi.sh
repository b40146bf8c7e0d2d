#!/usr/bin/env bash
# Builds Zevo's Windows Installer package from the portable folder:
#   scripts/make-msi.sh FOLDER OUT.msi [VERSION]
# FOLDER is the folder scripts/pack-windows.sh zips (every file in it is
# installed into "Program Files\Zevo" as it lies there), VERSION defaults to
# the project's. The package itself is dist/windows/zevo.wxs; this script
# lists the folder's files for it and runs wixl.
set -euo pipefail
folder=$(cd "$1" && pwd)
out=$2
root=$(cd "$(dirname "$0")/.." && pwd)
version=${3:-$(sed -n 's/^project(Zevo VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")}
# Shown as the publisher in "Programme und Features"; to be replaced by the
# school or body that hands Zevo out.
publisher=${ZEVO_PUBLISHER:-Zevo}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# An Id wixl accepts, the same for the same path in every build.
id() { printf '%s_%s' "$1" "$(printf '%s' "$2" | md5sum | cut -c1-24)"; }
xml() { sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g' -e 's/"/\&quot;/g' <<<"$1"; }

# One component per file, its own key path; the folders nested as they lie.
# Two Ids are fixed for dist/windows/zevo.wxs: the program and LIESMICH.txt.
components=()
list_folder() {
    local rel=$1 indent=$2 entry name path fid cid
    while IFS= read -r -d '' entry; do
        name=${entry##*/}
        path=${rel:+$rel/}$name
        if [[ -d $entry ]]; then
            printf '%s<Directory Id="%s" Name="%s">\n' "$indent" "$(id d "$path")" "$(xml "$name")"
            list_folder "$path" "$indent  "
            printf '%s</Directory>\n' "$indent"
        else
            case $path in
            zevo.exe) fid=ZevoExe ;;
            LIESMICH.txt) fid=LiesmichTxt ;;
            *) fid=$(id f "$path") ;;
            esac
            cid=$(id c "$path")
            components+=("$cid")
            printf '%s<Component Id="%s" Guid="*" Win64="yes">\n' "$indent" "$cid"
            printf '%s  <File Id="%s" Name="%s" KeyPath="yes" Source="%s" />\n' "$indent" "$fid" \
                "$(xml "$name")" "$(xml "src/$path")"
            printf '%s</Component>\n' "$indent"
        fi
    done < <(find "$folder${rel:+/$rel}" -mindepth 1 -maxdepth 1 -print0 | LC_ALL=C sort -z)
}

{
    echo '<?xml version="1.0" encoding="utf-8"?>'
    echo '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">'
    echo '  <Fragment>'
    echo '    <DirectoryRef Id="INSTALLDIR">'
    list_folder "" "      "
    echo '    </DirectoryRef>'
    echo '    <ComponentGroup Id="ZevoFiles">'
    for c in "${components[@]}"; do
        echo "      <ComponentRef Id=\"$c\" />"
    done
    echo '    </ComponentGroup>'
    echo '  </Fragment>'
    echo '</Wix>'
} >"$work/files.wxs"

[[ -f $folder/zevo.exe && -f $folder/LIESMICH.txt ]] || {
    echo "make-msi: $folder enthält kein zevo.exe oder LIESMICH.txt" >&2
    exit 1
}
# wixl takes sources only by paths relative to the sources' folder.
ln -s "$folder" "$work/src"
ln -s "$root/dist/windows" "$work/dist"
cp "$root/dist/windows/zevo.wxs" "$work/"
out=$(realpath -m "$out")
rm -f "$out"
(cd "$work" && wixl -a x64 -D Version="$version" -D Publisher="$publisher" -D Src=src -D Dist=dist \
    -o "$out" zevo.wxs files.wxs)
# Another build of the same version replaces the installed one too: wixl
# knows no AllowSameVersionUpgrades, so the upgrade row gets its
# "maximum included" flag (512) here.
msiinfo export "$out" Upgrade >"$work/export.idt"
awk 'BEGIN { FS = OFS = "\t" } /WIX_UPGRADE_DETECTED/ { $5 = $5 + 512 } { print }' \
    "$work/export.idt" >"$work/Upgrade.idt"
msibuild "$out" -i "$work/Upgrade.idt"
echo "$out"
