#!/usr/bin/env bash
# Debian roots made with debootstrap, for building and checking Zevo on a
# release other than the machine's own and for installing the package into a
# system that has nothing else.
#   scripts/debian-root.sh base CODENAME DIR
#       makes DIR a minimal root of CODENAME (trixie, bookworm, ...) when it is
#       missing, unfinished or older than ZEVO_ROOT_MAX_DAYS days (7), and
#       leaves it alone otherwise; the root is copied, never used itself
#   scripts/debian-root.sh run ROOT [--bind DIR:INSIDE]... [--bind-ro DIR:INSIDE]... -- COMMAND...
#       runs COMMAND as root inside ROOT with a clean environment, /proc and
#       /dev (and the given folders) bound for its time only
#   scripts/debian-root.sh remove ROOT
#       deletes a root made from a base, refusing while anything is mounted in it
set -euo pipefail

mirror=${ZEVO_DEBIAN_MIRROR:-http://deb.debian.org/debian}
security=${ZEVO_DEBIAN_SECURITY:-http://deb.debian.org/debian-security}

die() {
    echo "debian-root: $*" >&2
    exit 1
}

# Mount points under a root, deepest first.
mounts_under() {
    local root
    root=$(realpath "$1")
    findmnt -rn -o TARGET | awk -v r="$root/" 'index($0, r) == 1' | sort -r
}

# Every process still running inside the root (a test's leftover, Xvfb) would
# keep its mounts busy; they are ours, so they end with the root's use.
stop_processes_in() {
    local root p
    root=$(realpath "$1")
    for p in /proc/[0-9]*; do
        case "$(readlink "$p/root" 2>/dev/null)" in
        "$root" | "$root"/*) kill -9 "${p#/proc/}" 2>/dev/null ;;
        esac
    done
    return 0
}

unmount_all() {
    local target
    stop_processes_in "$1"
    while read -r target; do
        [[ -n "$target" ]] || continue
        umount "$target" 2>/dev/null || umount -l "$target"
    done < <(mounts_under "$1")
}

remove_root() {
    local root=$1
    [[ -e "$root" ]] || return 0
    [[ "$(realpath "$root")" != / ]] || die "/ ist keine Debian-Wurzel zum Löschen."
    if [[ -n "$(mounts_under "$root")" ]]; then
        die "$root ist noch eingehängt und wird nicht gelöscht."
    fi
    rm -rf --one-file-system "$root"
}

make_base() {
    local codename=$1 dir=$2 max_days=${ZEVO_ROOT_MAX_DAYS:-7}
    local stamp=$dir/.zevo-root made
    mkdir -p "$(dirname "$dir")"
    exec 9>"$dir.lock"
    flock 9
    if [[ -f "$stamp" ]]; then
        made=$(cat "$stamp")
        if (($(date +%s) - made < max_days * 86400)); then
            return 0
        fi
        echo "Debian-Wurzel $dir ist älter als $max_days Tage und wird neu angelegt." >&2
    fi
    command -v debootstrap >/dev/null || die "debootstrap fehlt (apt-get install debootstrap)."
    local new=$dir.new
    remove_root "$new"
    echo "Lege Debian $codename in $dir an (debootstrap)." >&2
    debootstrap --variant=minbase "$codename" "$new" "$mirror" >"$dir.log" 2>&1 ||
        { tail -n 20 "$dir.log" >&2; die "debootstrap $codename ist gescheitert."; }
    # What a freshly installed system has: the release, its updates and its
    # security updates, nothing else.
    cat >"$new/etc/apt/sources.list" <<EOF
deb $mirror $codename main
deb $mirror $codename-updates main
deb $security $codename-security main
EOF
    # No service may start inside a root.
    printf '#!/bin/sh\nexit 101\n' >"$new/usr/sbin/policy-rc.d"
    chmod 755 "$new/usr/sbin/policy-rc.d"
    date +%s >"$new/.zevo-root"
    remove_root "$dir"
    mv "$new" "$dir"
}

run_in() {
    local binds=() bind host inside ro
    # Global: the exit trap needs it after this function has returned.
    root=$(realpath "$1")
    [[ "$root" != / && -x "$root/bin/sh" ]] || die "$1 ist keine Debian-Wurzel."
    shift
    while (($# > 0)); do
        case "$1" in
        --bind | --bind-ro) binds+=("$1=$2"); shift 2 ;;
        --) shift; break ;;
        *) die "unbekannte Angabe $1" ;;
        esac
    done
    (($# > 0)) || die "kein Befehl"
    # A second user of the same root would lose its mounts when this one ends.
    [[ -z "$(mounts_under "$root")" ]] || die "$root ist schon in Gebrauch."
    trap 'unmount_all "$root"' EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    cp -L /etc/resolv.conf "$root/etc/resolv.conf"
    mount -t proc proc "$root/proc"
    mount --bind /dev "$root/dev"
    for bind in "${binds[@]}"; do
        ro=${bind%%=*}
        bind=${bind#*=}
        host=${bind%%:*}
        inside=$root${bind#*:}
        mkdir -p "$host" "$inside"
        mount --bind "$host" "$inside"
        [[ "$ro" == --bind-ro ]] && mount -o remount,bind,ro "$inside"
    done
    env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        DEBIAN_FRONTEND=noninteractive chroot "$root" "$@"
}

case "${1:-}" in
base) make_base "$2" "$3" ;;
run) shift; run_in "$@" ;;
remove) remove_root "$2" ;;
*) die "Aufruf: scripts/debian-root.sh base CODENAME DIR | run ROOT [--bind DIR:INNEN]... -- BEFEHL | remove ROOT" ;;
esac
