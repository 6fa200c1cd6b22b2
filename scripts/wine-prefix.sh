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

# A prefix made while only the 64-bit Wine was installed lacks the 32-bit
# system, and "wineboot -u" did not bring it back when we tried: such a prefix
# (ours alone, nothing in it but what this script and the tests put there) is
# made anew, so that the 32-bit build's programs and the 32-bit regsvr32 and
# cscript run.
if [ -x /usr/lib/wine/wine ] && [ -f "$WINEPREFIX/system.reg" ] &&
   [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    "$server" -k </dev/null >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
fi
mkdir -p "$WINEPREFIX"
"$server" -p </dev/null >/dev/null 2>&1 || true
if [ ! -f "$WINEPREFIX/.humichart-ready-4" ]; then
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
    for face in "Liberation Sans" "Liberation Sans Bold" "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif"; do
        "$wine" reg add "$link" /v "$face" /t REG_MULTI_SZ \
            /d 'DejaVuSans.ttf,DejaVu Sans\0wqy-microhei.ttc,WenQuanYi Micro Hei' /f </dev/null >/dev/null 2>&1
    done
    # Edit controls draw through Uniscribe, whose fallback for Chinese ('hani')
    # is a face the prefix does not have: Chinese typed into a field showed as
    # boxes where the labels, drawn through GDI's font links, were fine.
    "$wine" reg add 'HKCU\Software\Wine\Uniscribe\Fallback' /v 696e6168 /d "WenQuanYi Micro Hei" /f \
        </dev/null >/dev/null 2>&1
    touch "$WINEPREFIX/.humichart-ready-4"
    # Under the server that made the prefix, every 32-bit program with a
    # window waited about ten seconds at start (measured: 10 s against 0.1 s);
    # a server started afresh has no such wait.
    "$server" -k </dev/null >/dev/null 2>&1 || true
    "$server" -p </dev/null >/dev/null 2>&1 || true
fi
"$wine" wineboot </dev/null >/dev/null 2>&1 || true
echo "$WINEPREFIX"
