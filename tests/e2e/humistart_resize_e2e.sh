#!/usr/bin/env bash
# Humistart resized as a person does it, under a window manager (openbox):
# larger, smaller and larger again. After each step the chart's client area
# on the screen must be what a fresh render of that size shows - the same
# window minimised and restored, which repaints all of itself - and not the
# old picture with new strips at its edges.
#   humistart_resize_e2e.sh <bin directory> <screenshot directory>
set -uo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
root=$(cd "$here/../.." && pwd)
command -v openbox >/dev/null || { echo "humistart resize: skipped, no openbox"; exit 0; }

# The session's own display has no window manager: start one, and let Wine
# hand its windows to it for this test only.
openbox --sm-disable </dev/null >/dev/null 2>&1 &
wm=$!
managed() {
    "$root/scripts/wine-run.sh" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$1" /f \
        </dev/null >/dev/null 2>&1
}
managed Y
sleep 1
source "$here/e2e_common.sh" "$1" "$2"
trap 'kill $app 2>/dev/null; kill $wm 2>/dev/null; managed N' EXIT

top=$(xdotool search --sync --onlyvisible --name 'Humistart$' | head -1)
[ -n "$top" ] || fail "no Humistart window on the screen"

# The chart's client area of the screenshot, cut out.
crop() { # screenshot out
    convert "$1" -crop "${w}x${h}+${x}+${y}" +repage "$2"
}
# The chart's client area once the screen has settled: a loaded machine may
# still be painting when a fixed wait ends, so shots are taken until two in a
# row agree (a chart that never repaints whole still differs from the fresh
# render below).
settled() { # name
    local last=""
    shot "$1"
    for _ in $(seq 20); do
        [ -z "$last" ] || import -window root "$shots/$1.png"
        crop "$shots/$1.png" "$shots/$1_chart.png"
        if [ -n "$last" ] && [ "$(compare -metric AE "$last" "$shots/$1_chart.png" null: 2>&1)" = 0 ]; then
            return 0
        fi
        cp "$shots/$1_chart.png" "$shots/$1_previous.png"
        last=$shots/$1_previous.png
        sleep 0.3
    done
    fail "the chart kept changing on the screen ($1)"
}
# The window's client area once its size has settled after a resize.
settled_geometry() { # width height
    local previous=""
    for _ in $(seq 50); do
        read -r x y w h <<<"$(probe geometry)"
        if [ "$w" -ge $(($1 - 40)) ] && [ "$h" -ge $(($2 - 80)) ] && [ "$x $y $w $h" = "$previous" ]; then
            return 0
        fi
        previous="$x $y $w $h"
        sleep 0.2
    done
    fail "the chart was not resized with the window ($w x $h for $1 x $2)"
}
step=0
for size in "900 700" "560 400" "1000 760"; do
    step=$((step + 1))
    read -r width height <<<"$size"
    xdotool windowsize "$top" "$width" "$height"
    settled_geometry "$width" "$height"
    settled "resize$step"
    # A fresh render of the same size.
    xdotool windowminimize --sync "$top"
    sleep 0.5
    xdotool windowactivate --sync "$top" 2>/dev/null || xdotool windowmap --sync "$top"
    # Restoring is done when the client area is back where it was: a window
    # still minimised stands at its icon's place (Wine arranges those at the
    # screen's bottom edge), and a shot there crops nothing.
    for _ in $(seq 100); do
        read -r fx fy fw fh <<<"$(probe geometry)"
        [ "$fx $fy $fw $fh" = "$x $y $w $h" ] && break
        sleep 0.1
    done
    [ "$fx $fy $fw $fh" = "$x $y $w $h" ] ||
        fail "restoring did not bring the chart back to ${w}x$h at $x,$y (it is ${fw}x$fh at $fx,$fy)"
    settled "fresh$step"
    differ=$(compare -metric AE "$shots/resize${step}_chart.png" "$shots/fresh${step}_chart.png" null: 2>&1)
    echo "step $step: ${w}x$h, $differ pixels differ from a fresh render"
    [ "${differ%% *}" = 0 ] || fail "after resizing to ${w}x$h the chart differs from a fresh render in $differ pixels"
done
alive || fail "resizing ended Humistart"
echo "humistart resize: ok"
