#!/usr/bin/env bash
# The Windows zevo-run (under Wine) against the Linux one: for every example
# and every task file, the same arguments give byte for byte the same standard
# output, standard error, exit status and --csv/--json tables.
#   scripts/compare-windows-runner.sh LINUX-ZEVO-RUN WINDOWS-BUILD-DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
linux=$(realpath "$1")
build=$(realpath "$2")
windows=$build/tools/zevo-run.exe
wine=$build/wine-run.sh

# Wine turns the Unix arguments ("groß") into Windows' UTF-16 by the locale.
export LC_ALL=C.UTF-8
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Both run in copies of the examples with relative names, so no path differs.
mkdir -p "$work"/{linux,windows}
cp -r "$root/examples/." "$work/linux/"
cp -r "$root/examples/." "$work/windows/"

compared=0
failed=0
# compare NAME ARGS...: one run of each, then every output byte compared.
compare() {
    local label=$1
    shift
    local status_l=0 status_w=0
    (cd "$work/linux" && "$linux" "$@" >../l.out 2>../l.err) || status_l=$?
    (cd "$work/windows" && "$wine" "$windows" "$@" >../w.out 2>../w.err) || status_w=$?
    # A message naming the file by its full path names each runner's own
    # folder, Windows' with its drive and backslashes; the rest is compared.
    local windows_dir="Z:${work//\//\\}\\windows\\"
    sed -i "s|$work/linux/|ORDNER/|g" "$work/l.err"
    WINDIR=$windows_dir perl -pi -e 's/\Q$ENV{WINDIR}\E/ORDNER\//g' "$work/w.err"
    local bad=()
    cmp -s "$work/l.out" "$work/w.out" || bad+=(stdout)
    cmp -s "$work/l.err" "$work/w.err" || bad+=(stderr)
    ((status_l == status_w)) || bad+=("status $status_l/$status_w")
    for table in t.csv t.json; do
        if [[ -e $work/linux/$table || -e $work/windows/$table ]]; then
            cmp -s "$work/linux/$table" "$work/windows/$table" || bad+=("$table")
            rm -f "$work/linux/$table" "$work/windows/$table"
        fi
    done
    compared=$((compared + 1))
    if ((${#bad[@]} > 0)); then
        failed=$((failed + 1))
        echo "Verschieden: $label: ${bad[*]}" >&2
        diff <(cat "$work/l.out" "$work/l.err") <(cat "$work/w.out" "$work/w.err") | head -n 10 >&2 || true
    fi
}

cd "$work/linux"
programs=(*.rmp falsch/*.rmp)
tasks=(*.aufgabe)
cd - >/dev/null

for program in "${programs[@]}"; do
    compare "$program" -r 1=5 -r 2=3 --max-steps 5000 "$program"
    compare "$program (Befehlsprotokoll)" -r 1=4 -r 2=6 --protocol-kind 1 --spacing groß \
        --last-register 12 --max-steps 2000 "$program"
    compare "$program (ohne Protokoll)" --no-protocol -r 1=7 -r 2=2 "$program"
done
for task in "${tasks[@]}"; do
    compare "$task" --aufgabe "$task" --csv t.csv --json t.json -- "${programs[@]}"
done
# Messages of failures: a missing file, a bad option.
compare "fehlende Datei" fehlt.rmp
compare "falsche Option" --max-steps x summe.rmp

echo "Windows-zevo-run: $compared Vergleiche, $failed verschieden."
((failed == 0))
