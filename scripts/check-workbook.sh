#!/usr/bin/env bash
# Opens a grading workbook as a teacher would, in LibreOffice Calc (headless),
# and compares its cells with zevo-run's own CSV and report of the same run:
# sheet "Ergebnisse" against --csv, sheet "Übersicht" against the report lines.
# Installs libreoffice-calc-nogui when no Calc is there (CI only needs it here).
#   scripts/check-workbook.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
if ! installed libreoffice-calc-nogui && ! installed libreoffice-calc; then
    sudo=()
    [[ $(id -u) -ne 0 ]] && sudo=(sudo)
    echo "Installiere: libreoffice-calc-nogui"
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends libreoffice-calc-nogui
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

status=0
"$build/tools/zevo-run" --aufgabe examples/ggt.aufgabe --csv "$tmp/noten.csv" \
    --xlsx "$tmp/noten.xlsx" examples/ggt.rmp examples/falsch/*.rmp >"$tmp/bericht.txt" || status=$?
# 1: not every program passed, as expected of the wrong ones.
if ((status > 1)); then
    echo "zevo-run endete mit $status." >&2
    exit 1
fi

# A fresh profile, so the user's own LibreOffice settings are never touched.
# Filter options: ";" and '"', UTF-8, no text quoted for its own sake, raw
# values instead of formatted ones, no formulas, every sheet to its own file.
HOME=$tmp/home timeout 300 soffice -env:UserInstallation="file://$tmp/profil" --headless \
    --convert-to 'csv:Text - txt - csv (StarCalc):59,34,76,1,,0,false,true,false,false,false,-1' \
    --outdir "$tmp/calc" "$tmp/noten.xlsx" >/dev/null 2>"$tmp/soffice.log" || {
    cat "$tmp/soffice.log" >&2
    echo "LibreOffice konnte die Arbeitsmappe nicht umwandeln." >&2
    exit 1
}

# Without BOM and CR; the CSV's guard against formulas (a "'" before a cell
# beginning with one of "=+-@") is not in the workbook, which holds text cells.
plain() { sed -e '1s/^\xEF\xBB\xBF//' -e 's/\r$//' "$@"; }
plain "$tmp/noten.csv" | sed -E "s/(^|;)(\"?)'([-=+@])/\1\2\3/g" >"$tmp/erwartet-Ergebnisse.csv"
# The report line "NAME: P von N Fällen bestanden, höchstens S Schritte; ..."
# as the summary row "NAME;P;N;S".
{
    echo "Programm;Bestandene Fälle;Fälle;Höchstens Schritte"
    sed -nE 's/^(.*): ([0-9]+) von ([0-9]+) Fällen bestanden(, höchstens ([0-9]+) Schritte?)?(; .*)?$/\1;\2;\3;\5/p' \
        "$tmp/bericht.txt"
} >"$tmp/erwartet-Übersicht.csv"

differ=0
for sheet in Ergebnisse Übersicht; do
    got=$tmp/calc/noten-$sheet.csv
    if [[ ! -f "$got" ]]; then
        echo "LibreOffice hat kein Blatt \"$sheet\" geschrieben." >&2
        differ=1
        continue
    fi
    if ! diff -u --label "erwartet ($sheet)" --label "Calc ($sheet)" \
        "$tmp/erwartet-$sheet.csv" <(plain "$got"); then
        differ=1
    fi
done
if ((differ)); then
    echo "Die Arbeitsmappe weicht in Calc von der CSV-Tabelle oder vom Bericht ab." >&2
    exit 1
fi
echo "Arbeitsmappe in Calc in Ordnung: $(($(wc -l <"$tmp/erwartet-Ergebnisse.csv") - 1)) Zeilen, $(($(wc -l <"$tmp/erwartet-Übersicht.csv") - 1)) Programme."
