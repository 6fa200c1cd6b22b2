#!/usr/bin/env bash
# Creates (once) and starts the private Wine prefix: a persistent server and a
# booted prefix, both detached from our standard streams so that background
# Wine processes never hold a test runner's pipes open; the chart's fonts
# mapped to the Liberation faces.  Prints the prefix.
#   scripts/wine-prefix.sh [start|stop]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/windows/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine=/usr/lib/wine/wine64
server=$(command -v wineserver || echo /usr/lib/wine/wineserver64)

if [ "${1:-start}" = stop ]; then
    "$server" -k </dev/null >/dev/null 2>&1 || true
    exit 0
fi

mkdir -p "$WINEPREFIX"
"$server" -p </dev/null >/dev/null 2>&1 || true
if [ ! -f "$WINEPREFIX/.humichart-ready-3" ]; then
    "$wine" wineboot -i </dev/null >/dev/null 2>&1
    fonts='HKCU\Software\Wine\Fonts\Replacements'
    for pair in "Times New Roman=Liberation Serif" "Arial=Liberation Sans" "Arial Black=Liberation Sans"; do
        "$wine" reg add "$fonts" /v "${pair%%=*}" /t REG_SZ /d "${pair#*=}" /f </dev/null >/dev/null 2>&1
    done
    # Liberation Serif has no degree-Celsius sign for the isotherm title: link
    # the serif faces to DejaVu Serif, which has it.
    link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
    for face in "Liberation Serif" "Times New Roman"; do
        "$wine" reg add "$link" /v "$face" /t REG_MULTI_SZ /d 'DejaVuSerif.ttf,DejaVu Serif' /f \
            </dev/null >/dev/null 2>&1
    done
    # Dialogs ask for "MS Shell Dlg", which Wine maps to a Tahoma it does not
    # ship here: map it to Liberation Sans, and link that, its bold face and
    # Tahoma (captions) to DejaVu Sans for signs such as the degree Celsius and
    # to WenQuanYi Micro Hei for the Chinese templates.
    subs='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
    for face in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma"; do
        "$wine" reg add "$subs" /v "$face" /t REG_SZ /d "Liberation Sans" /f </dev/null >/dev/null 2>&1
    done
    for face in "Liberation Sans" "Liberation Sans Bold" "Tahoma"; do
        "$wine" reg add "$link" /v "$face" /t REG_MULTI_SZ \
            /d 'DejaVuSans.ttf,DejaVu Sans\0wqy-microhei.ttc,WenQuanYi Micro Hei' /f </dev/null >/dev/null 2>&1
    done
    touch "$WINEPREFIX/.humichart-ready-3"
else
    "$wine" wineboot </dev/null >/dev/null 2>&1 || true
fi
echo "$WINEPREFIX"
