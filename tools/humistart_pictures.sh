#!/usr/bin/env bash
# The README's pictures of Humistart as a document application, taken with
# the end-to-end driver under the session's display (scripts/pictures.sh
# starts it): the window with a workbook and its File menu open, the save
# question after a change, and the page Print Report writes on the CUPS PDF
# queue.
#   humistart_pictures.sh <bin directory> <images directory>
# Writes humistart.png (the window with a document), humistart-document.png
# (its File menu open), humistart-save-question.png and humistart-report.png
# (the last only where CUPS can be started).
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
e2e=$here/../tests/e2e
images=$2
work=$(mktemp -d)
# The document in a folder of the prefix's own drive, as a user's would be.
projects=${WINEPREFIX:?the session sets it}/drive_c/Projects
e2e_cleanup() { rm -rf "$work" "$projects"; }
bash "$e2e/make_document.sh" "$projects" >/dev/null || { echo "no workbook: LibreOffice Calc is needed" >&2; exit 1; }
pdf_dir=$(bash "$here/../scripts/printer.sh" 2>/dev/null) || pdf_dir=""
humistart_args=('C:\Projects\Cooling plant.xls')
source "$e2e/e2e_common.sh" "$1" "$work/shots"

for _ in $(seq 40); do
    [ "$(probe title)" = "Cooling plant.xls - Humistart" ] && break
    sleep 0.25
done
# The top-level window titled $1 (an extended regular expression), cut out
# of a screenshot of the whole display.
cut_window() { # title output
    local id geometry
    id=$(xdotool search --onlyvisible --name "$1" | head -1)
    [ -n "$id" ] || fail "no window \"$1\" on the screen"
    geometry=$(xdotool getwindowgeometry --shell "$id")
    local X Y WIDTH HEIGHT
    eval "$(echo "$geometry" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}

sleep 1.5
cut_window 'Humistart$' "$images/humistart.png"
echo "docs/images/humistart.png"

# A named point of the engineer's own, then the File menu with the document
# among the recent ones.
read -r px py <<<"$(probe pixel 20 30)"
xdotool mousemove $((x + px)) $((y + py)) click 1
sleep 1
xdotool type --delay 60 Coil
xdotool key Return
sleep 1
xdotool mousemove $((x + 10)) $((y + 10)) click 1
sleep 0.5
xdotool key alt+f
sleep 1.5
# The menu hangs from the window: the screen's picture trimmed to both.
read -r mx my mw mh <<<"$(probe menu)"
id=$(xdotool search --onlyvisible --name 'Humistart$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
right=$((X + WIDTH > mx + mw ? X + WIDTH : mx + mw)) bottom=$((Y + HEIGHT > my + mh ? Y + HEIGHT : my + mh))
import -window root -crop "$((right - X))x$((bottom - Y))+$X+$Y" +repage "$images/humistart-document.png"
echo "docs/images/humistart-document.png"
xdotool key Escape Escape
sleep 0.5

# The question Alt+F4 asks; Cancel keeps the window.
xdotool mousemove $((x + 10)) $((y + 10)) click 1
sleep 0.5
xdotool key alt+F4
wait_box
sleep 1
cut_window '^Humistart$' "$images/humistart-save-question.png"
echo "docs/images/humistart-save-question.png"
xdotool key Escape
sleep 1

# The report, Ctrl+P and OK in the print dialog.
if [ -n "$pdf_dir" ]; then
    : >"$work/print.start"
    xdotool mousemove $((x + 10)) $((y + 10)) click 1
    sleep 0.5
    xdotool key ctrl+p
    for _ in $(seq 120); do
        ok=$(probe print-ok)
        [[ $ok =~ ^[0-9]+\ [0-9]+$ ]] && break
        sleep 0.5
    done
    read -r ox oy <<<"$ok"
    xdotool mousemove "$ox" "$oy" click 1
    pdf=""
    for _ in $(seq 240); do
        pdf=$(find "$pdf_dir" -maxdepth 1 -name '*Cooling*plant*.pdf' -newer "$work/print.start" | head -1)
        [ -n "$pdf" ] && sleep 2 && tail -c 64 "$pdf" | grep -q '%%EOF' && break
        pdf=""
        sleep 0.5
    done
    [ -n "$pdf" ] || fail "no report in $pdf_dir"
    pdftoppm -r 60 -singlefile -png "$pdf" "$work/report"
    convert "$work/report.png" -bordercolor '#999999' -border 1 "$images/humistart-report.png"
    rm -f "$pdf"
    echo "docs/images/humistart-report.png"
else
    echo "no printer: docs/images/humistart-report.png stays as it was" >&2
fi
close_with_alt_f4
