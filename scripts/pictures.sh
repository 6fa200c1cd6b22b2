#!/usr/bin/env bash
# The README's pictures of the dialogs, taken from the running program
# (tools/dialog_shots.cpp) under Xvfb: each dialog is opened over a chart
# window with the demo data and held on the screen while ImageMagick grabs it.
#   bash scripts/pictures.sh   (after scripts/setup.sh)
# Writes docs/images/dialog-*.png (the design tools' dialogs and the charts
# after their OK among them), and docs/images/humistart-100.png and
# humistart-150.png: Humistart at 96 and at 144 dpi; and with
# tools/humistart_pictures.sh Humistart with a document and its File menu,
# its save question and its printed report (humistart-document.png,
# humistart-save-question.png, humistart-report.png).
#   bash scripts/pictures.sh humistart   (Humistart's pictures only)
#   bash scripts/pictures.sh design      (the design tools' pictures only)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bin=$root/build/windows/bin
out=$root/docs/images
work=$(mktemp -d)
source "$root/scripts/session.sh"
start_session
trap 'end_session; rm -rf "$work"' EXIT
register_dll "$bin/Humicalc.dll"
# Xvfb has no window manager to draw captions: Wine draws this program's
# windows itself, frames and captions included.
"$root/scripts/wine-run.sh" reg add 'HKCU\Software\Wine\AppDefaults\dialog_shots.exe\X11 Driver' \
    /v Managed /d N /f >/dev/null
localedef -i zh_CN -f UTF-8 "$work/zh_CN.UTF-8"

# shot KIND NAME [LC_ALL]
shot() {
    local kind=$1 name=$2 lang=${3:-}
    rm -f "$work/ready" "$work/done"
    if [ -n "$lang" ]; then
        LOCPATH=$work LC_ALL=$lang "$root/scripts/wine-run.sh" "$bin/dialog_shots.exe" "$kind" \
            "Z:${work//\//\\}\\ready" "Z:${work//\//\\}\\done" &
    else
        "$root/scripts/wine-run.sh" "$bin/dialog_shots.exe" "$kind" \
            "Z:${work//\//\\}\\ready" "Z:${work//\//\\}\\done" &
    fi
    local pid=$!
    for _ in $(seq 300); do
        [ -s "$work/ready" ] && break
        sleep 0.1
    done
    if [ ! -s "$work/ready" ]; then
        echo "no $kind dialog came up" >&2
        kill "$pid" 2>/dev/null || true
        return 1
    fi
    sleep 0.5
    read -r x y w h < "$work/ready"
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/dialog-$name.png"
    touch "$work/done"
    wait "$pid"
    echo "docs/images/dialog-$name.png"
}

# humistart NAME DPI: the launcher with the prefix's LogPixels at DPI for the
# run (Humistart is DPI-aware), its window trimmed out of the screen.
humistart() {
    local name=$1 dpi=$2 desktop='HKCU\Control Panel\Desktop'
    # As on a first run: the window where Windows puts a new one.
    "$root/scripts/wine-run.sh" reg delete 'HKCU\Software\Humichart\Humistart' /f >/dev/null 2>&1 || true
    "$root/scripts/wine-run.sh" reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
    "$root/scripts/wine-run.sh" "$bin/Humistart.exe" </dev/null >/dev/null 2>&1 &
    local pid=$!
    sleep 8
    import -window root png:- | convert - -trim +repage "$out/humistart-$name.png"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    "$root/scripts/wine-run.sh" reg delete "$desktop" /v LogPixels /f >/dev/null
    echo "docs/images/humistart-$name.png"
}
# The design tools: each dialog in English and Chinese with its worked
# example, and the chart after its OK.
design_shots() {
    for tool in supply fresh dewpoint; do
        shot $tool design-$tool
        shot $tool design-$tool-zh zh_CN.UTF-8
        shot $tool-chart design-$tool-chart
    done
}
if [ "${1:-}" = design ]; then
    design_shots
    exit 0
fi
register_dll "$bin/Humichart.dll"
humistart 100 96
humistart 150 144
bash "$root/tools/humistart_pictures.sh" "$bin" "$out"
[ "${1:-}" = humistart ] && exit 0

shot points points
shot property property
shot process transfer-processes
shot hom get-point-by-hom
shot flow get-air-flow
shot mixer mix-processes
shot process transfer-processes-zh zh_CN.UTF-8
shot points points-zh zh_CN.UTF-8
shot property property-zh zh_CN.UTF-8
design_shots
