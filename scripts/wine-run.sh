#!/usr/bin/env bash
# Runs one Windows program under Wine in the build tree's private prefix:
#   scripts/wine-run.sh program.exe [arguments...]
# The prefix is $WINEPREFIX when set, else build/windows/wineprefix of this
# checkout.  scripts/wine-prefix.sh creates it and starts its server first.
# $HUMICHART_WINE_LOADER picks the loader (scripts/wine-run32.sh sets the
# 32-bit one); the 64-bit loader is the default.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/windows/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$root/scripts/wine-prefix.sh" >/dev/null
fi
exec "${HUMICHART_WINE_LOADER:-/usr/lib/wine/wine64}" "$@"
