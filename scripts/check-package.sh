#!/usr/bin/env bash
# Checks a built Zevo package as a school's IT would meet it, on the release
# it was built for: its file list, Debian's package checker, the desktop
# entry, the AppStream description and the manuals, both programs run from
# the unpacked package, and last the package installed into an empty system
# of the same release and purged again.
#   scripts/check-package.sh build/zevo_1.0-1~deb12_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$1
# shellcheck source=/dev/null
release=$(. /etc/os-release && echo "${VERSION_ID%%.*}")
# shellcheck source=/dev/null
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")

root=$(mktemp -d)
list=$(mktemp)
home=$(mktemp -d)
trap 'rm -rf "$root" "$list" "$home"' EXIT
dpkg-deb -x "$deb" "$root"

echo "== Inhalt"
# Files only; a file added or lost on the way into the package shows here.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|' | sort >"$list"
if ! diff -u dist/package-contents.txt "$list"; then
    echo "Der Paketinhalt weicht von dist/package-contents.txt ab." >&2
    exit 1
fi
du -k "$deb" | awk '{print "Paketgröße: " $1 " KiB"}'
# Built on another release, the package would name libraries this one lacks.
version=$(dpkg-deb -f "$deb" Version)
if [[ "$version" != *"~deb$release" ]]; then
    echo "Das Paket ($version) ist nicht für Debian $release gebaut." >&2
    exit 1
fi
# zevo-run writes the grading workbook with libxlsxwriter; the library scan
# must have named it, or a school's machine would lack it.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
if [[ "$depends" != *libxlsxwriter* ]]; then
    echo "Das Paket nennt libxlsxwriter nicht als Abhängigkeit." >&2
    exit 1
fi

echo "== lintian"
# Errors fail the check; warnings and notes are shown (README: "Debian package").
lintian --fail-on error --display-info --tag-display-limit 0 "$deb"

echo "== desktop-file-validate"
desktop-file-validate "$root"/usr/share/applications/*.desktop

echo "== Dateitypen .rmp und .aufgabe"
# A desktop after installing the package: build the MIME and desktop databases
# from the package's files, as the triggers of shared-mime-info and
# desktop-file-utils do on a real system, and ask xdg-mime about a program
# file and a task file. Only the package's share folder and an empty home are
# visible.
share=$root/usr/share
desktop() {
    env -i PATH="$PATH" HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_DATA_DIRS="$share" \
        XDG_CONFIG_HOME="$home/.config" XDG_CONFIG_DIRS="$home/.config" "$@"
}
desktop update-mime-database "$share/mime"
desktop update-desktop-database "$share/applications"
printf '10 end\r\n' >"$home/x.rmp"
printf 'R1=1 -> R1=1\n' >"$home/x.aufgabe"
for expected in "x.rmp text/x-zevo-rmp zevo.desktop" "x.aufgabe text/x-zevo-aufgabe zevo-pruefen.desktop"; do
    read -r file mime_type entry <<<"$expected"
    found=$(desktop xdg-mime query filetype "$home/$file")
    echo "xdg-mime query filetype $file: $found"
    if [[ "$found" != "$mime_type" ]]; then
        echo "$file hat den Typ '$found' statt '$mime_type'." >&2
        exit 1
    fi
    handler=$(desktop xdg-mime query default "$mime_type")
    echo "xdg-mime query default $mime_type: $handler"
    if [[ "$handler" != "$entry" ]]; then
        echo "Für $mime_type ist '$handler' eingetragen statt $entry." >&2
        exit 1
    fi
done

echo "== appstreamcli validate"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml

echo "== Handbuchseiten"
for page in "$root"/usr/share/man/man1/*.1.gz "$root"/usr/share/man/de/man1/*.1.gz; do
    mandoc -T lint -W warning "$page"
    lexgrog "$page"
done

echo "== Programme aus dem Paket"
bin=$root/usr/bin
examples=$root/usr/share/zevo/examples
"$bin/zevo" --version
status=0
"$bin/zevo" --zoom 5 2>/dev/null || status=$?
if ((status != 2)); then
    echo "zevo --zoom 5 endete mit $status statt 2." >&2
    exit 1
fi
status=0
"$bin/zevo" --foo 2>/dev/null || status=$?
if ((status != 2)); then
    echo "zevo --foo endete mit $status statt 2." >&2
    exit 1
fi
# 5! = 120 lands in R2.
out=$("$bin/zevo-run" --no-protocol "$examples/fakultaet.rmp" -r 1=5 2>/dev/null)
echo "zevo-run fakultaet.rmp -r 1=5: $out"
if [[ "$out" != *120* ]]; then
    echo "zevo-run aus dem Paket rechnet 5! nicht zu 120." >&2
    exit 1
fi
echo "== Installation in ein leeres Debian $release ($codename)"
# A school's machine with nothing of Zevo's: a minimal root of this release
# (debootstrap, kept in a cache and copied), only Debian's own sources. There
# the package must install with what Debian has, open a .rmp through
# xdg-open, and leave nothing behind when purged.
sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
cache=${ZEVO_DEBIAN_CACHE:-$HOME/.cache/zevo-debian$release}
"${sudo[@]}" scripts/debian-root.sh base "$codename" "$cache/base"
clean=$("${sudo[@]}" mktemp -d "$cache/check.XXXXXX")
trap '"${sudo[@]}" scripts/debian-root.sh remove "$clean"; rm -rf "$root" "$list" "$home"' EXIT
"${sudo[@]}" cp -a "$cache/base/." "$clean/"
"${sudo[@]}" cp "$deb" "$clean/tmp/zevo.deb"
"${sudo[@]}" cp scripts/check-installed.sh "$clean/tmp/"
"${sudo[@]}" scripts/debian-root.sh run "$clean" --bind "$cache/apt-archives:/var/cache/apt/archives" \
    -- bash /tmp/check-installed.sh /tmp/zevo.deb
echo "Paket in Ordnung: $deb"
