#!/usr/bin/env bash
# Humistart as an engineer keeps it, under the session's display with real
# input, on a workbook that LibreOffice Calc wrote from text and that is named
# on Humistart's command line:
#   save:    File, Open... of a file that is not a workbook: a message that
#            names it, and the document as it was; a point placed and named
#            on the chart marks the title; Alt+F4
#            asks "Save changes to <name>?"; Cancel keeps Humistart and the
#            change; Alt+F4 and Yes write the workbook, which xlrd reads back
#            with the new point beside the others, and a settings sheet.
#   picture: File, Save Picture... to a PNG gives exactly the window's pixels;
#            to an EMF, a picture that played back onto a bitmap of the
#            window's size is the window, block by block.
#   report:  Ctrl+P and OK in the print dialog: one page on the CUPS PDF
#            queue whose text holds the document's name and every point's name
#            and values; skipped with a line when there is no printer.
#   humistart_document_e2e.sh <bin directory> <screenshot directory> save|picture|report
set -uo pipefail
mode=${3:-}
case $mode in save | picture | report) ;; *) echo "FAILED: no mode ($mode)"; exit 2 ;; esac
here=$(dirname "${BASH_SOURCE[0]}")
if [ "$mode" = report ]; then
    pdf_dir=$(bash "$here/../../scripts/printer.sh" 2>&1) || {
        echo "humistart document $mode: skipped, no printer (${pdf_dir##*$'\n'})"
        exit 0
    }
fi
work=$2/document-$mode
rm -rf "$work"
mkdir -p "$work"
# The document, as LibreOffice Calc saves it, and its points.
bash "$here/make_document.sh" "$work" >"$work/points.txt"
case $? in
0) ;;
3) echo "humistart document $mode: skipped, no LibreOffice"; exit 0 ;;
*) echo "FAILED: LibreOffice wrote no workbook"; exit 1 ;;
esac
mapfile -t points <"$work/points.txt"
document=$work/"Cooling plant.xls"
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }
humistart_args=("$(windows_path "$document")")
source "$here/e2e_common.sh" "$1" "$work"

title=""
for _ in $(seq 40); do
    title=$(probe title)
    [ "$title" = "Cooling plant.xls - Humistart" ] && break
    sleep 0.25
done
[ "$title" = "Cooling plant.xls - Humistart" ] || fail "the command line's workbook is not the document (title \"$title\")"
focus_chart() { xdotool mousemove $((x + 10)) $((y + 10)) click 1; sleep 0.5; }
# A File menu item by its access key, the menu opened with Alt+F.
file_menu() { focus_chart; xdotool key alt+f; sleep 0.5; xdotool key "$1"; }
# Types a path into the file dialog titled $1 and presses Enter.
answer_file_dialog() {
    wait_dialog "$1"
    sleep 0.5
    xdotool type --delay 20 "$(windows_path "$2")"
    xdotool key Return
}
# Waits until $1 exists and its size stays put.
wait_file() {
    local size=-1 now
    for _ in $(seq 120); do
        if [ -s "$1" ]; then
            now=$(stat -c %s "$1")
            [ "$now" = "$size" ] && return 0
            size=$now
        fi
        sleep 0.5
    done
    return 1
}

case $mode in
save)
    echo "not a workbook" >"$work/notes.xls"
    file_menu o
    answer_file_dialog Open "$work/notes.xls"
    wait_box
    echo "refused: $box"
    [[ $box == "Humistart|"*notes.xls* ]] || fail "the refusal does not name the file: \"$box\""
    shot refused
    xdotool key Return
    sleep 1
    [ "$(probe title)" = "Cooling plant.xls - Humistart" ] || fail "a refused file changed the document: $(probe title)"

    read -r px py <<<"$(probe pixel 20 30)"
    [[ $px =~ ^[0-9]+$ ]] || fail "no pixel for 20 deg.C, 30 % ($px)"
    xdotool mousemove $((x + px)) $((y + py)) click 1
    sleep 1
    xdotool type --delay 60 Coil
    xdotool key Return
    sleep 1
    [ "$(probe title)" = "*Cooling plant.xls - Humistart" ] || fail "no mark of a change in \"$(probe title)\""
    shot changed

    # Alt+F4, the question, Cancel: Humistart stays with its change.
    xdotool mousemove $((x + 10)) $((y + 10)) click 1
    sleep 0.5
    xdotool key alt+F4
    wait_box
    [ "$box" = "Humistart|Save changes to Cooling plant.xls?" ] || fail "the question is \"$box\""
    shot question
    xdotool key Escape
    sleep 1
    alive || fail "Cancel ended Humistart"
    [ "$(probe title)" = "*Cooling plant.xls - Humistart" ] || fail "Cancel lost the change: \"$(probe title)\""

    # Alt+F4 and Yes, the default button.
    before=$(stat -c %Y.%s "$document")
    xdotool key alt+F4
    wait_box
    xdotool key Return
    wait_end || fail "Yes did not close Humistart"
    trap - EXIT
    [ "$(stat -c %Y.%s "$document")" != "$before" ] || fail "the workbook was not written"
    /usr/bin/python3 - "$document" <<'PY' || fail "the saved workbook does not hold the change"
import sys, xlrd
book = xlrd.open_workbook(sys.argv[1])
names = book.sheet_names()
print("sheets:", names)
assert names[0] == "Humichart" and "Humichart settings" in names, names
sheet = book.sheet_by_name("Humichart")
points = {}
for row in range(2, sheet.nrows):
    name = sheet.cell_value(row, 4)
    if name == "":
        break
    points[name] = (sheet.cell_value(row, 5), sheet.cell_value(row, 6))
print("points:", points)
assert set(points) == {"Outdoor", "Room", "Supply", "Mixed", "Coil"}, points
# 20 deg.C and 30 % at 101325 Pa (about 31.2 kJ/kg and 4.35 g/kg), within a
# pixel or two of the click.
i, d = points["Coil"]
assert abs(i - 31.2) < 1.5 and abs(d - 4.35) < 0.3, (i, d)
assert points["Room"] == (50.3, 9.8), points["Room"]
PY
    echo "humistart document save: ok"
    exit 0
    ;;
picture)
    png=$work/chart.png emf=$work/chart.emf
    file_menu i
    answer_file_dialog "Save As" "$png"
    wait_file "$png" || fail "no PNG written"
    shot window
    convert "$shots/window.png" -crop "${w}x${h}+${x}+${y}" +repage "$work/window_chart.png"
    read -r pw ph < <(identify -format '%w %h\n' "$png")
    [ "$pw $ph" = "$w $h" ] || fail "the PNG is ${pw}x$ph, the chart ${w}x$h"
    differing=$(compare -metric AE "$png" "$work/window_chart.png" null: 2>&1)
    echo "pixels of the PNG that differ from the window's: $differing of $((w * h))"
    [ "$differing" = 0 ] || fail "the PNG differs from the window"

    file_menu i
    answer_file_dialog "Save As" "$emf"
    wait_file "$emf" || fail "no EMF written"
    [ "$(head -c 44 "$emf" | tail -c 4)" = " EMF" ] || fail "the EMF has no metafile header"
    timeout 60 "$run" "$bin/humistart_probe.exe" play "$(windows_path "$emf")" "$(windows_path "$work/played.bin")" \
        "$w" "$h" </dev/null >/dev/null 2>&1 || fail "the EMF does not play"
    tail -c +9 "$work/played.bin" | convert -size "${w}x$h" -depth 8 bgra:- -alpha off "$work/played.png"
    # Blocks of 8 x 8 pixels whose mean colour differs by more than 32 in a
    # channel: hairlines and text drawn as vectors move a block's mean a
    # little, a missing label or tint a lot.
    blocks() { convert "$1" -crop "$((w / 8 * 8))x$((h / 8 * 8))+0+0" +repage -scale 12.5% -depth 8 txt:- |
        sed -n 's/^\([0-9]*\),\([0-9]*\): (\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3 \4 \5/p'; }
    apart=$(paste -d' ' <(blocks "$work/played.png") <(blocks "$work/window_chart.png") | awk '
        function d(a, b) { return a > b ? a - b : b - a }
        { n++; if (d($3, $8) > 32 || d($4, $9) > 32 || d($5, $10) > 32) apart++ }
        END { printf "%d %d\n", apart, n }')
    read -r apart total <<<"$apart"
    echo "blocks of the played EMF apart from the window: $apart of $total"
    [ "$total" -gt 1000 ] && [ $((apart * 100)) -lt "$total" ] || fail "the EMF plays back to another picture"
    ;;
report)
    marker=$work/print.start
    : >"$marker"
    focus_chart
    xdotool key ctrl+p
    print_to_pdf '*Cooling*plant*.pdf' "$marker" "Print Report" "the report"
    mv "$pdf" "$work/report.pdf"
    pages=$(pdfinfo "$work/report.pdf" | sed -n 's/^Pages: *//p')
    pdftoppm -r 40 -singlefile -png "$work/report.pdf" "$work/report"
    pdftotext -layout "$work/report.pdf" "$work/report.txt"
    [ "$pages" = 1 ] || fail "the report has ${pages:-no} pages"
    grep -q "Cooling plant.xls" "$work/report.txt" || fail "the report's title is not the document's name"
    # Each point's row: its name and its two values, however they are rounded.
    for point in "${points[@]}"; do
        read -r name di dd <<<"$point"
        awk -v n="$name" -v i="$di" -v d="$dd" '
            function near(a, b) { return a - b < 0.051 && b - a < 0.051 }
            $1 == n { fi = fd = 0
                      for (k = 2; k <= NF; k++) { if (near($k, i)) fi = 1; if (near($k, d)) fd = 1 }
                      if (fi && fd) found = 1 }
            END { exit !found }' "$work/report.txt" ||
            fail "the report has no row for $name with $di and $dd"
    done
    echo "report: one page with the title and every point"
    ;;
esac
close_with_alt_f4
echo "humistart document $mode: ok"
