# shellcheck shell=bash
# Sourced by the end-to-end scripts: starts Humistart under the session's
# display, waits for its chart window and gives the helpers that look at it.
# Sets bin, shots, run, app, x y w h (the chart's client area on the screen)
# and plot_x plot_y plot_w plot_h (its plot rectangle at the default view).
# The caller may set dpi first, when it has set the prefix's LogPixels, and
# humistart_args, the program's command line (a document to open).
# Humistart starts as on a first run: no window place, no recent documents.
#   source e2e_common.sh <bin directory> <screenshot directory>
bin=$1
shots=$2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
run=$root/scripts/wine-run.sh
mkdir -p "$shots"

"$run" reg delete 'HKCU\Software\Humichart\Humistart' /f </dev/null >/dev/null 2>&1
"$run" "$bin/Humistart.exe" ${humistart_args[@]+"${humistart_args[@]}"} </dev/null >/dev/null 2>&1 &
app=$!
# The caller's own clean-up, if it defines one, runs however the script ends.
declare -F e2e_cleanup >/dev/null || e2e_cleanup() { :; }
trap 'kill $app 2>/dev/null; e2e_cleanup' EXIT
fail() {
    echo "FAILED: $*"
    import -window root "$shots/failure.png" 2>/dev/null
    exit 1
}
alive() { kill -0 "$app" 2>/dev/null; }
probe() { timeout 60 "$run" "$bin/humistart_probe.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
shot() { sleep 1.5; import -window root "$shots/$1.png"; }
# Pure blue (the chart's data colour) pixels in a box of a screenshot.
blue_in() { # file x y width height
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage txt:- | grep -ci '#0000FF'
}
dot_at() { [ "$(blue_in "$1" $(($2 - 1)) $(($3 - 1)) 3 3)" -ge 5 ]; }
# Waits until the name editor is open or closed (a loaded machine may take
# longer than any fixed pause to handle the input that opens or closes it).
wait_editor() { # open|closed message
    for _ in $(seq 40); do
        [ "$(probe editor)" = "$1" ] && return 0
        sleep 0.25
    done
    fail "$2"
}
# Presses OK in the print dialog once it is up, then waits until the PDF
# queue has written the job's file (named like pattern, newer than marker)
# whole; sets pdf.
print_to_pdf() { # pattern marker command thing
    local ok="" found="" size=-1 now ox oy
    for _ in $(seq 120); do
        ok=$(probe print-ok)
        [[ $ok =~ ^[0-9]+\ [0-9]+$ ]] && break
        alive || fail "$3 ended Humistart"
        sleep 0.5
    done
    [[ $ok =~ ^[0-9]+\ [0-9]+$ ]] || fail "no print dialog ($ok)"
    shot print_dialog
    read -r ox oy <<<"$ok"
    xdotool mousemove "$ox" "$oy" click 1
    pdf=""
    for _ in $(seq 240); do
        found=$(find "$pdf_dir" -maxdepth 1 -name "$1" -newer "$2" 2>/dev/null | head -1)
        if [ -n "$found" ]; then
            now=$(stat -c %s "$found")
            if [ "$now" = "$size" ] && tail -c 64 "$found" | grep -q '%%EOF'; then
                pdf=$found
                break
            fi
            size=$now
        fi
        sleep 0.5
    done
    [ -n "$pdf" ] || fail "no PDF of $4 in $pdf_dir after OK"
    alive || fail "printing ended Humistart"
}
# Waits for Humistart's message box and sets box to "caption|text".
box=""
wait_box() {
    for _ in $(seq 40); do
        box=$(probe box)
        [[ $box == *"|"* ]] && return 0
        sleep 0.25
    done
    fail "no message box"
}
# Waits for a dialog over Humistart's window titled $1.
wait_dialog() {
    for _ in $(seq 60); do
        [ "$(probe dialog)" = "$1" ] && return 0
        alive || fail "Humistart ended while waiting for \"$1\""
        sleep 0.25
    done
    fail "no dialog \"$1\" (there is: $(probe dialog))"
}
# Waits for the process to end.
wait_end() {
    for _ in $(seq 40); do
        alive || break
        sleep 0.25
    done
    ! alive
}
# Closes the launcher with Alt+F4 on the chart (focused by a click in its
# margin), lets changes go if it asks, and waits for the process to end.
close_with_alt_f4() {
    xdotool mousemove $((x + 10)) $((y + 10)) click 1
    sleep 0.5
    xdotool key alt+F4
    for _ in $(seq 40); do
        alive || break
        [[ $(probe box) == "Humistart|Save changes to "* ]] && xdotool key n
        sleep 0.25
    done
    alive && fail "Alt+F4 did not close Humistart"
    trap e2e_cleanup EXIT
}

geometry=""
for _ in $(seq 60); do
    geometry=$(probe geometry)
    [[ $geometry =~ ^[0-9]+\ [0-9]+\ [0-9]+\ [0-9]+$ ]] && break
    alive || fail "Humistart did not start"
    sleep 0.5
done
read -r x y w h <<<"$geometry" || fail "no chart window: $geometry"
echo "chart client area at $x,$y size ${w}x$h"
sleep 2
dpi=${dpi:-96}
# A length of the 96-dpi chart at the prefix's dpi, rounded as the chart does.
px() { echo $((($1 * dpi * 2 + 96) / 192)); }
plot_x=$(($(px 45) + $(px 5))) plot_y=$(px 40) plot_w=$((w - 2 * $(px 45))) plot_h=$((h - 2 * $(px 40)))
