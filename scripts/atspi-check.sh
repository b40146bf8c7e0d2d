#!/usr/bin/env bash
# Starts Zevo in a virtual display with its own session bus and the
# accessibility bus, and reads its windows back through AT-SPI as a screen
# reader does (scripts/atspi_tree.py). Needs xvfb, dbus-x11, at-spi2-core and
# python3-pyatspi (for Debian's /usr/bin/python3). Usage: scripts/atspi-check.sh
# [path/to/zevo]; ZEVO_ATSPI_SCRIPT=other.py runs another script instead.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
zevo=$(realpath "${1:-build/app/zevo}")

if [[ "${ZEVO_ATSPI_INNER:-}" != 1 ]]; then
    export ZEVO_ATSPI_INNER=1
    exec xvfb-run -a -s '-screen 0 1280x1024x24' dbus-launch --exit-with-session "$0" "$zevo"
fi

# Qt turns its AT-SPI bridge on when the desktop asks for it; here no desktop
# asks, so it is told to.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_ACCESSIBILITY=1
unset QT_QPA_PLATFORM

"$zevo" &
zevo_pid=$!
status=0
/usr/bin/python3 "${ZEVO_ATSPI_SCRIPT:-$here/atspi_tree.py}" || status=$?
kill "$zevo_pid" 2>/dev/null || true
wait "$zevo_pid" 2>/dev/null || true
exit "$status"
