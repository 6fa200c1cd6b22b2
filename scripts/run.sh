#!/usr/bin/env bash
# Sets up, builds, registers the components in the private Wine prefix and
# shows them working.  Once the launcher is built this starts Humistart (under
# Xvfb with a screenshot in out/humistart.png when there is no display); until
# then it prints every parameter of one air state computed by Humicalc.dll.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
source "$root/scripts/session.sh"
# A printer for the chart's Print... command: CUPS's PDF queue (PDFs in ~/PDF).
"$root/scripts/printer.sh" >/dev/null || echo "no printer: Print... will find none"
start_session
bin=$root/build/windows/bin
for dll in Humicalc.dll Humichart.dll; do
    [ -f "$bin/$dll" ] && register_dll "$bin/$dll"
done

if [ -f "$bin/Humistart.exe" ]; then
    mkdir -p "$root/out"
    "$root/scripts/wine-run.sh" "$bin/Humistart.exe" &
    app=$!
    if [ -n "$started_xvfb" ]; then
        sleep 8
        # No window manager draws frames under Xvfb: keep just the window.
        import -window root png:- | convert - -trim +repage "$root/out/humistart.png"
        echo "screenshot: out/humistart.png"
        kill "$app" 2>/dev/null || true
    fi
    wait "$app" || true
else
    "$root/scripts/wine-run.sh" cscript //nologo "Z:${root//\//\\}\\scripts\\humicalc-demo.vbs"
fi
