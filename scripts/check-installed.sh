#!/usr/bin/env bash
# Runs inside an empty Debian root (scripts/check-package.sh): installs the
# package from Debian's sources alone, as `apt install ./zevo_….deb` would on
# a school's machine, checks it there and purges it.
#   bash /tmp/check-installed.sh /tmp/zevo.deb
set -euo pipefail
deb=$1
log=/tmp/apt.log

quiet_apt() {
    if ! apt-get "$@" >"$log" 2>&1; then
        tail -n 30 "$log" >&2
        echo "apt-get $* ist gescheitert." >&2
        exit 1
    fi
}

# Every file of the system but what changes by itself (logs, apt's and
# dpkg's own records and caches, temporary and home folders).
snapshot() {
    find / -xdev \( -path /proc -o -path /dev -o -path /tmp -o -path /run -o -path /root \
        -o -path /var/cache -o -path /var/log -o -path /var/lib/apt -o -path /var/lib/dpkg \) \
        -prune -o -print | sort
}

echo "apt-get update, Grundlagen eines Desktops"
quiet_apt update
# What any desktop has: the MIME and desktop databases and xdg-utils; their
# triggers are what registers Zevo's file types on a real system.
quiet_apt install -y xdg-utils shared-mime-info desktop-file-utils libfile-mimeinfo-perl
snapshot >/tmp/before
dpkg-query -W -f='${Package}\n' | sort >/tmp/packages-before

# Without the recommended packages: Zevo must run on what it depends on, and
# the recommendations of its libraries bring systemd (through dbus), which
# apt never removes again, so the purge below could not be checked.
echo "apt-get install $deb"
quiet_apt install -y --no-install-recommends "$deb"
echo "Installiert: $(dpkg-query -W -f='${Package} ${Version}' zevo)"
zevo --version
out=$(zevo-run --no-protocol /usr/share/zevo/examples/fakultaet.rmp -r 1=5 2>/dev/null)
if [[ "$out" != *120* ]]; then
    echo "Das installierte zevo-run rechnet 5! nicht zu 120." >&2
    exit 1
fi

printf '10 end\r\n' >/root/x.rmp
printf 'R1=1 -> R1=1\n' >/root/x.aufgabe
for expected in "x.rmp text/x-zevo-rmp zevo.desktop" "x.aufgabe text/x-zevo-aufgabe zevo-pruefen.desktop"; do
    read -r file mime_type entry <<<"$expected"
    found=$(xdg-mime query filetype "/root/$file")
    handler=$(xdg-mime query default "$mime_type")
    echo "xdg-mime: $file ist $found, geöffnet von $handler"
    if [[ "$found" != "$mime_type" || "$handler" != "$entry" ]]; then
        echo "Erwartet: $mime_type, geöffnet von $entry." >&2
        exit 1
    fi
done

# A double click: xdg-open must start the installed zevo with the file. Zevo
# runs offscreen here; it is ended once it is seen.
DISPLAY=:0 QT_QPA_PLATFORM=offscreen xdg-open /root/x.rmp >/tmp/xdg-open.log 2>&1 &
opener=$!
started=
for _ in $(seq 100); do
    for p in /proc/[0-9]*; do
        if [[ "$(readlink "$p/exe" 2>/dev/null)" == /usr/bin/zevo ]] &&
            tr '\0' ' ' <"$p/cmdline" 2>/dev/null | grep -q ' /root/x.rmp'; then
            started=${p#/proc/}
        fi
    done
    [[ -n "$started" ]] && break
    sleep 0.2
done
if [[ -z "$started" ]]; then
    kill "$opener" 2>/dev/null || true
    cat /tmp/xdg-open.log >&2
    echo "xdg-open x.rmp hat zevo nicht gestartet." >&2
    exit 1
fi
echo "xdg-open x.rmp: $(tr '\0' ' ' <"/proc/$started/cmdline")"
kill "$started"
wait "$opener" 2>/dev/null || true

echo "apt-get purge zevo, apt-get autoremove --purge"
quiet_apt purge -y zevo
quiet_apt autoremove --purge -y
if dpkg-query -W zevo >/dev/null 2>&1; then
    echo "dpkg kennt zevo nach dem Entfernen noch." >&2
    exit 1
fi
snapshot >/tmp/after
dpkg-query -W -f='${Package}\n' | sort >/tmp/packages-after
# apt may keep a dependency that another installed package suggests or
# recommends (fonts-liberation stays so on both releases): that package is the
# system's, not Zevo's. Every file that is new must belong to such a package,
# and nothing may be missing.
kept=$(comm -13 /tmp/packages-before /tmp/packages-after | tr '\n' ' ')
[[ -n "$kept" ]] && echo "Von apt behalten (nicht von Zevo): $kept"
cat /var/lib/dpkg/info/*.list | sort -u >/tmp/owned
comm -13 /tmp/before /tmp/after | comm -23 - /tmp/owned >/tmp/orphans
comm -23 /tmp/before /tmp/after >/tmp/missing
if [[ -s /tmp/orphans || -s /tmp/missing ]]; then
    sed 's/^/übrig: /' /tmp/orphans >&2
    sed 's/^/fehlt: /' /tmp/missing >&2
    echo "Nach dem Entfernen (purge) bleibt etwas zurück oder fehlt." >&2
    exit 1
fi
echo "Entfernt ohne Reste."
