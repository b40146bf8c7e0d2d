#!/usr/bin/env bash
# Checks Zevo's Windows Installer package under Wine, in a fresh Wine prefix
# of its own and on a virtual display of its own:
#   scripts/test-msi.sh FOLDER PACKAGE.msi OLDER.msi
# FOLDER is the portable folder the package was made from, OLDER.msi a
# package of the same files with a lower version. In turn: a silent install
# puts every file of FOLDER into "C:\Program Files\Zevo", the Start-menu
# entries, the file type and the entry in "Programme und Features"; a .rmp
# file opened as Explorer opens it (cmd /c start) starts Zevo with the program
# named in its title; installing the same package again changes nothing; a
# silent uninstall leaves no file, folder or registry key of Zevo's (the
# prefix's drive_c and registry compared with before). Then an older version
# is replaced by this one, this one refuses to be replaced by the older one
# with a German message, and is removed without a trace again.
# Prints the package's size and the times of install and uninstall.
# Needs Wine, Xvfb and xdotool.
set -euo pipefail
folder=$(realpath "$1")
package=$(realpath "$2")
older=$(realpath "$3")
# What the window's title must hold once "Übung 1.rmp" is open (a regular
# expression, as xdotool takes it).
title=${ZEVO_MSI_TITLE:-'^Zevo [0-9.]+ \(Übung 1\.rmp\)$'}

work=$(mktemp -d)
pids=()
cleanup() {
    WINEPREFIX=$work/prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "MSI-Test: $*" >&2
    exit 1
}

# A display of our own for the one window the test opens.
number=$((90 + RANDOM % 500))
while [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]]; do number=$((number + 1)); done
Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=:$number

# winemenubuilder would copy the Start-menu entries into the Linux desktop's
# menus, outside the prefix.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
"$wine" wineboot -i >/dev/null 2>&1 || true
"$wineserver" -w

msiexec() { # msiexec ARGS...: its exit status, once Wine has finished
    local status=0
    "$wine" msiexec "$@" >/dev/null 2>&1 || status=$?
    "$wineserver" -w
    return "$status"
}
winpath() { printf 'Z:%s' "${1//\//\\}"; }
seconds() { date +%s.%N; }
elapsed() { printf '%.1f' "$(echo "$(seconds) - $1" | bc)"; }

# The prefix's state: every path under drive_c, and every registry key with
# its values, without the times Wine stamps on keys.
snapshot() {
    (cd "$WINEPREFIX/drive_c" && find . | LC_ALL=C sort) >"$work/$1.files"
    for hive in system user; do
        grep -v -e '^#time=' -e '^$' "$WINEPREFIX/$hive.reg" |
            sed 's/^\(\[.*\]\) [0-9]*$/\1/' >"$work/$1.$hive.reg"
    done
}
# What a removal may leave: the empty folder and empty keys in which Windows
# Installer keeps its own records, made at its first use; what Wine changes
# on its own (devices, network cards, times); and the keys in which Windows
# keeps its text rendering and its users' fonts, which every Windows has from
# the start and Wine makes when a program first draws text, and the console
# window's settings (HKCU\Console), which Wine makes when a console first opens.
left_behind() {
    local before=$1 after=$2 hive
    diff "$work/$before.files" "$work/$after.files" | sed -n 's/^> //p' |
        grep -vx './windows/Installer' || true
    for hive in system user; do
        diff <(grep '^\[' "$work/$before.$hive.reg") <(grep '^\[' "$work/$after.$hive.reg") |
            sed -n 's/^> //p' |
            grep -v -e '^\[Software\\\\Classes\\\\Installer\\\\[A-Za-z]*\]$' \
                -e '^\[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Installer\\\\' \
                -e '^\[System\\\\CurrentControlSet\\\\' -e '^\[Hardware\\\\' \
                -e '^\[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\NetworkCards' \
                -e '^\[Software\\\\Microsoft\\\\Avalon\.Graphics' \
                -e '^\[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\Fonts\]$' \
                -e '^\[Console\]$' || true
        grep -i -n -e 'zevo' -e '\.rmp' -e '\.aufgabe' -e 'Registermaschinenprogramm' "$work/$after.$hive.reg" |
            sed "s/^/$hive.reg: /" || true
    done
}
reg_query() { # wine reg query ARGS..., its output without CR
    local out= _
    # Wine's reg now and then answers nothing while its services start.
    for _ in 1 2 3; do
        out=$("$wine" reg query "$@" 2>/dev/null | tr -d '\r')
        [[ -n $out ]] && break
        sleep 1
    done
    printf '%s\n' "$out"
}
uninstall_entries() { # the entries of "Programme und Features" named Zevo
    reg_query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s |
        grep -c 'DisplayName.*REG_SZ.*Zevo$' || true
}
installed_version() {
    reg_query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s |
        awk '/DisplayName.*Zevo$/ { found = 1 } found && /DisplayVersion/ { print $NF; exit }'
}
reg_default() { # the default value of a key, or nothing
    reg_query "$1" /ve | sed -n 's/^ *(Standard) *REG_SZ *//p; s/^ *(Default) *REG_SZ *//p' | head -n1
}

target=$WINEPREFIX/drive_c/Program\ Files/Zevo
check_files() { # every file of the folder, byte for byte
    (cd "$folder" && find . -type f | LC_ALL=C sort) >"$work/want"
    [[ -d $target ]] || fail "kein Ordner C:\\Program Files\\Zevo"
    (cd "$target" && find . -type f | LC_ALL=C sort) >"$work/got"
    diff "$work/want" "$work/got" >&2 || fail "andere Dateien als im Ordner"
    while IFS= read -r f; do
        cmp -s "$folder/$f" "$target/$f" || fail "Datei ${f#./} weicht ab"
    done <"$work/want"
}

snapshot before
echo "Paket: $(basename "$package"), $(du -k "$package" | cut -f1) KiB ($(stat -c %s "$package") Bytes)"

# --- Silent install -------------------------------------------------------
start=$(seconds)
msiexec /i "$(winpath "$package")" /qn || fail "Installation endete mit Status $?"
echo "Installation (msiexec /i /qn): $(elapsed "$start") s"
check_files
# Wine puts the entries into the user's Start menu even per machine;
# Windows into the one of all users.
menu=
for m in "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zevo" \
    "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Zevo; do
    [[ -d $m ]] && menu=$m
done
[[ -n $menu ]] || fail "kein Ordner Zevo im Startmenü"
for link in Zevo.lnk LIESMICH.lnk "Zevo – Aufgaben prüfen.lnk"; do
    [[ -f $menu/$link ]] || fail "Startmenü ohne $link"
done
[[ $(reg_default 'HKLM\Software\Classes\.rmp') == Zevo.Programm ]] || fail ".rmp gehört nicht zu Zevo"
[[ $(reg_default 'HKLM\Software\Classes\Zevo.Programm') == Registermaschinenprogramm ]] ||
    fail "Dateityp ohne Namen"
command=$(reg_default 'HKLM\Software\Classes\Zevo.Programm\shell\open\command')
[[ $command == '"C:\Program Files\Zevo\zevo.exe" "%1"' ]] || fail "Öffnen-Befehl: $command"
[[ $(reg_default 'HKLM\Software\Classes\Zevo.Programm\DefaultIcon') == 'C:\Program Files\Zevo\zevo.exe,0' ]] ||
    fail "Dateityp ohne Zevos Bild"
[[ $(reg_default 'HKLM\Software\Classes\.aufgabe') == Zevo.Aufgabe ]] || fail ".aufgabe gehört nicht zu Zevo"
command=$(reg_default 'HKLM\Software\Classes\Zevo.Aufgabe\shell\open\command')
[[ $command == '"C:\Program Files\Zevo\zevo-pruefen.exe" "%1"' ]] || fail "Öffnen-Befehl für .aufgabe: $command"
[[ $(uninstall_entries) == 1 ]] || fail "nicht genau ein Eintrag in Programme und Features"

# --- A .rmp file opened as Explorer opens it --------------------------------
mkdir -p "$WINEPREFIX/drive_c/unterricht"
cp "$folder/examples/summe.rmp" "$WINEPREFIX/drive_c/unterricht/Übung 1.rmp"
"$wine" cmd /c start "" 'C:\unterricht\Übung 1.rmp' >/dev/null 2>&1 &
pids+=($!)
window=
for _ in $(seq 1 120); do
    window=$(xdotool search --name "$title" 2>/dev/null | head -n1) && [[ -n $window ]] && break
    sleep 0.5
done
[[ -n $window ]] || fail "kein Fenster mit dem Titel \"$title\""
echo "Geöffnet über den Dateityp: $(xdotool getwindowname "$window")"
"$wine" taskkill /f /im zevo.exe >/dev/null 2>&1 || true
"$wineserver" -w
rm -rf "$WINEPREFIX/drive_c/unterricht"

# --- The same package again, then the silent uninstall ----------------------
msiexec /i "$(winpath "$package")" /qn || fail "zweite Installation endete mit Status $?"
[[ $(uninstall_entries) == 1 ]] || fail "nach der zweiten Installation nicht genau ein Eintrag"
check_files
start=$(seconds)
msiexec /x "$(winpath "$package")" /qn || fail "Entfernen endete mit Status $?"
echo "Entfernen (msiexec /x /qn): $(elapsed "$start") s"
snapshot removed
left=$(left_behind before removed)
[[ -z $left ]] || fail "nach dem Entfernen übrig: $left"

# --- An older version replaced; this one not replaced by an older one --------
msiexec /i "$(winpath "$older")" /qn || fail "Installation der älteren Version: Status $?"
msiexec /i "$(winpath "$package")" /qn || fail "Installation über die ältere Version: Status $?"
[[ $(uninstall_entries) == 1 ]] || fail "nach dem Update nicht genau ein Eintrag"
version=$(installed_version)
check_files
status=0
msiexec /i "$(winpath "$older")" /qn || status=$?
# 1603, "installation failed", of which a Unix exit status keeps the low byte.
((status == 1603 % 256)) || fail "die ältere Version: Status $status statt 1603"
# Wine's msiexec logs no launch condition's text: the package must hold it.
msiinfo export "$older" LaunchCondition | grep -q 'Eine neuere Version von Zevo ist bereits installiert' ||
    fail "keine deutsche Meldung für den Versuch, eine ältere Version zu installieren"
[[ $(installed_version) == "$version" && $(uninstall_entries) == 1 ]] ||
    fail "die neuere Version ist nach dem Versuch nicht mehr da"
check_files
msiexec /x "$(winpath "$package")" /qn || fail "Entfernen nach dem Update: Status $?"
snapshot removed2
left=$(left_behind before removed2)
[[ -z $left ]] || fail "nach Update und Entfernen übrig: $left"
echo "MSI-Test: bestanden (Version $version; ältere Version ersetzt, Rückstufung abgelehnt)"
