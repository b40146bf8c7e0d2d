#!/usr/bin/env bash
# Zevo for Windows as a user sees it, under Wine on a virtual display:
#   scripts/windows-proof.sh BUILD-DIR SHOT-DIR [DISPLAY-NUMBER]
# starts zevo.exe from the packed folder with an example, takes a picture of
# the main window, resets and starts the clocked run (F8, F6) until the end box
# shows (second picture), pictures the help (F1) and the box that "Drucken"
# shows without a printer, saves the program (Strg+S) and checks its bytes
# against the example, reopens it through the file dialog (Strg+O) and saves
# again, and compares the Wine prefix's registry before and after: nothing of
# Zevo's or Qt's may be added. Needs Xvfb, openbox and xdotool.
set -euo pipefail
build=$(realpath "$1")
shots=$(realpath -m "$2")
number=${3:-91}
display=:$number
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
folder=$build/package/Zevo-$version-windows-x64
mkdir -p "$shots"
if [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]]; then
    echo "Anzeige $display ist belegt" >&2
    exit 2
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
sleep 2
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
wine=/usr/lib/wine/wine64
"$wine" wineboot -i >/dev/null 2>&1 || true
/usr/lib/wine/wineserver -w || true
cp "$WINEPREFIX/user.reg" "$work/user-before.reg"
cp "$WINEPREFIX/system.reg" "$work/system-before.reg"

cp "$folder/examples/summe.rmp" "$work/summe.rmp"
cp "$work/summe.rmp" "$work/original.rmp"
# The folder as a user has it: zevo.exe started in it, nothing on WINEPATH.
program="Z:${work//\//\\}\\summe.rmp"
(cd "$folder" && "$wine" ./zevo.exe "$program" >"$work/zevo.log" 2>&1) &
pids+=($!)

window_named() { # waits for a window whose title contains $1; prints its id
    for _ in $(seq 1 120); do
        if id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n 1) && [[ -n $id ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.5
    done
    echo "Kein Fenster: $1" >&2
    return 1
}
main=$(window_named "Zevo")
sleep 3
import -window root "$shots/windows-main.png"

xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus "$main"
sleep 0.5
xdotool key F8
sleep 0.5
xdotool key F6
# The end box: a second window of Zevo's, in front of the main window.
for _ in $(seq 1 120); do
    count=$(xdotool search --onlyvisible --name "Zevo|Information" 2>/dev/null | wc -l)
    ((count > 1)) && break
    sleep 0.5
done
sleep 1
import -window root "$shots/windows-end.png"
xdotool key Return
sleep 1

# The help (F1), its examples in a fixed-width face.
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool key F1
help=$(window_named "Zevo-Hilfe")
sleep 2
import -window root "$shots/windows-help.png"
xdotool windowclose "$help" 2>/dev/null || xdotool key --window "$help" alt+F4
sleep 1

# "Drucken" without a printer (Wine has none): the German box, declined.
xdotool windowactivate --sync "$main" 2>/dev/null || true
eval "$(xdotool getwindowgeometry --shell "$main")"
# The toolbar's fourth button: xdotool gives the window's place at the menu
# bar's middle here (Wine under openbox), the toolbar lies 11 pixels lower.
xdotool mousemove $((X + 80)) $((Y + 11)) click 1
sleep 2
import -window root "$shots/windows-no-printer.png"
xdotool key Escape
sleep 1

# Save: the same bytes as the example (Windows-1252, CR LF).
# An old time on the file shows that the save wrote it anew.
written_anew() {
    [[ $(stat -c %Y "$work/summe.rmp") != "$(date -d 2000-01-01 +%s)" ]]
}
touch -d 2000-01-01 "$work/summe.rmp"
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool key ctrl+s
sleep 2
written_anew
cmp "$work/original.rmp" "$work/summe.rmp"
echo "Gespeichert: neu geschrieben, Bytes gleich"

# Reopen through the file dialog, save again.
xdotool key ctrl+o
sleep 3
import -window root "$shots/windows-open.png"
xdotool type --delay 30 "$program"
xdotool key Return
sleep 2
touch -d 2000-01-01 "$work/summe.rmp"
xdotool key ctrl+s
sleep 2
written_anew
cmp "$work/original.rmp" "$work/summe.rmp"
echo "Wieder geöffnet und gespeichert: neu geschrieben, Bytes gleich"
import -window root "$shots/windows-reopened.png"

xdotool key alt+F4
sleep 1
xdotool key Return 2>/dev/null || true
sleep 2
/usr/lib/wine/wineserver -k || true
/usr/lib/wine/wineserver -w || true
# Wine itself rewrites its own keys (times, window positions of its shell);
# any key naming Zevo or Qt is ours.
if diff "$work/user-before.reg" "$WINEPREFIX/user.reg" | grep -iE '^>.*(QtProject|Zevo|Trolltech)'; then
    echo "Registry: Zevo oder Qt hat Schlüssel angelegt" >&2
    exit 1
fi
echo "Registry: nichts von Zevo oder Qt"
