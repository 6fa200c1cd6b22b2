#!/usr/bin/env bash
# Humistart's context menu used as a person would, under the session's
# display: a right click on the chart, then the menu's keys.
#   copy:   key Z shows "Move and zoom" checked in the menu (and not before);
#           "Copy bitmap to clipboard" puts on the clipboard, read by a second
#           process, exactly the pixels that the chart window shows.
#   print:  "Print...", OK pressed with the mouse in the real print dialog, a
#           one-page PDF with the chart on it from the CUPS PDF queue; skipped
#           with a line when there is no printer.
#   points: "Points...", DB.T and R.H checked, values and a name typed, "+"
#           and "OK" pressed: the named point stands on the chart where the
#           calculator puts that state. With a DPI the prefix's LogPixels is
#           that for the run (and put back after it): Humistart, aware of it,
#           draws the chart at that scale, and the point stands where the
#           scaled geometry puts it, its dot grown with it.
#   humistart_menu_e2e.sh <bin directory> <screenshot directory> copy|print|points [DPI]
set -uo pipefail
mode=${3:-}
case $mode in copy | print | points) ;; *) echo "FAILED: no mode ($mode)"; exit 2 ;; esac
if [ "$mode" = print ]; then
    # Before anything starts: without CUPS and its queue there is nothing to test.
    pdf_dir=$(bash "$(dirname "${BASH_SOURCE[0]}")/../../scripts/printer.sh" 2>&1) || {
        echo "humistart menu print: skipped, no printer (${pdf_dir##*$'\n'})"
        exit 0
    }
fi
dpi=${4:-96}
if [ "$dpi" != 96 ]; then
    [ "$mode" = points ] || { echo "FAILED: a DPI only with points"; exit 2; }
    desktop='HKCU\Control Panel\Desktop'
    wine_reg() { "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-run.sh" reg "$@" </dev/null >/dev/null 2>&1; }
    wine_reg query "$desktop" /v LogPixels && { echo "FAILED: the prefix has a LogPixels of its own"; exit 2; }
    # Every other test runs at 96 dpi: the value goes however this one ends.
    e2e_cleanup() { wine_reg delete "$desktop" /v LogPixels /f; }
    wine_reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f || { echo "FAILED: LogPixels not set"; exit 2; }
    trap e2e_cleanup EXIT
fi
source "$(dirname "${BASH_SOURCE[0]}")/e2e_common.sh" "$1" "$2/$mode"

# Opens the context menu with a right click at a client pixel and waits for it.
menu=""
open_menu() {
    xdotool mousemove $((x + $1)) $((y + $2)) click 3
    for _ in $(seq 40); do
        menu=$(probe menu)
        [[ $menu =~ ^[0-9]+\ [0-9]+\ [0-9]+\ [0-9]+$ ]] && return 0
        sleep 0.25
    done
    fail "no context menu after a right click"
}
# Moves the menu's selection to its n-th item (separators do not count) with
# the Down key; Return then chooses it.
select_item() { for _ in $(seq "$1"); do xdotool key Down; done; sleep 0.5; }
choose_item() { select_item "$1"; xdotool key Return; }
# Items of the English menu, counted from the top without separators.
item_points=2 item_move_zoom=9 item_copy=11 item_print=12

# A named point, so that the data are part of what is copied or printed.
cx=$((plot_x + plot_w / 4)) cy=$((plot_y + plot_h / 3))
if [ "$mode" != points ]; then
    xdotool mousemove $((x + cx)) $((y + cy)) click 1
    sleep 1
    xdotool type --delay 60 Room
    xdotool key Return
    sleep 1
fi

case $mode in
copy)
    # The selected item's row in a screenshot of the menu: its first and last
    # row, where its highlight starts and the first column inside it that is
    # not highlight (the check mark, or else the item's text).
    highlight=$(probe highlight)
    [[ $highlight =~ ^#[0-9A-F]{6}$ ]] || fail "no highlight colour ($highlight)"
    selected_row() { # screenshot name
        read -r mx my mw mh <<<"$menu"
        convert "$shots/$1.png" -crop "${mw}x${mh}+${mx}+${my}" +repage txt:- | awk -v hl="$highlight" -v W="$mw" '
            NR > 1 { split($1, p, /[,:]/); px = p[1]; py = p[2]
                     if (toupper($3) == hl) { n[py]++; if (!(py in l) || px < l[py]) l[py] = px }
                     else other[py, px] = 1 }
            END { top = -1
                  for (py = 0; py < 4000; py++) if (n[py] > W * 0.6) { if (top < 0) top = py; bottom = py }
                  if (top < 0) { print "none"; exit }
                  left = 4000
                  for (py = top; py <= bottom; py++) if (l[py] < left) left = l[py]
                  first = 4000
                  for (py = top; py <= bottom; py++)
                      for (px = left; px < W && px < first; px++) if ((py, px) in other) { first = px; break }
                  print top, bottom, left, first }'
    }
    # "Move and zoom" selected in the menu, before and after the key Z.
    open_menu 10 10
    select_item $item_move_zoom
    shot menu_before
    read -r top0 bottom0 left0 first0 <<<"$(selected_row menu_before)"
    xdotool key Escape
    sleep 0.5
    xdotool key z
    open_menu 10 10
    select_item $item_move_zoom
    shot menu_after
    read -r top1 bottom1 left1 first1 <<<"$(selected_row menu_after)"
    xdotool key Escape
    sleep 0.5
    echo "selected item before Z: rows $top0-$bottom0, first mark at $first0; after: rows $top1-$bottom1, at $first1"
    [ "$top0" != none ] && [ "$top1" = "$top0" ] && [ "$bottom1" = "$bottom0" ] || fail "no selected item in the menu"
    [ "$first1" -lt $((first0 - 4)) ] || fail "\"Move and zoom\" is not shown checked after Z (or was before)"

    # Copy, then the clipboard read by a second process against the screen.
    open_menu 10 10
    choose_item $item_copy
    sleep 1
    alive || fail "the copy ended Humistart"
    rm -f "$shots/clipboard.bin"
    timeout 60 "$run" "$bin/clipboard_probe.exe" read "Z:$shots/clipboard.bin" </dev/null >/dev/null 2>&1
    [ -s "$shots/clipboard.bin" ] || fail "no bitmap on the clipboard"
    read -r cw ch < <(od -An -t d4 -N8 "$shots/clipboard.bin")
    [ "$cw" = "$w" ] && [ "$ch" = "$h" ] || fail "the clipboard's bitmap is ${cw}x$ch, the chart ${w}x$h"
    tail -c +9 "$shots/clipboard.bin" | convert -size "${w}x$h" -depth 8 bgra:- -alpha off "$shots/clipboard.png"
    shot copied
    convert "$shots/copied.png" -crop "${w}x${h}+${x}+${y}" +repage "$shots/window.png"
    differing=$(compare -metric AE "$shots/clipboard.png" "$shots/window.png" null: 2>&1)
    echo "pixels of the clipboard's bitmap that differ from the window's: $differing of $((w * h))"
    [ "$differing" = 0 ] || fail "the clipboard differs from the window"
    dot_at "$shots/clipboard.png" $cx $cy || fail "the named point is not on the clipboard"
    ;;
print)
    marker=$shots/print.start
    : >"$marker"
    open_menu 10 10
    choose_item $item_print
    print_to_pdf '*Humichart*.pdf' "$marker" '"Print..."' "the chart"
    pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
    pdftoppm -r 30 -singlefile -png "$pdf" "$shots/page"
    rm -f "$pdf"
    [ "$pages" = 1 ] || fail "the PDF has ${pages:-no} pages"
    # The chart's tinted area alone covers much of the page.
    inked=$(convert "$shots/page.png" -colorspace gray -threshold 95% -format '%[fx:1-mean]' info:)
    echo "printed: one page, $inked of it not white"
    awk -v f="$inked" 'BEGIN { exit !(f > 0.1) }' || fail "the printed page is blank ($inked not white)"
    ;;
points)
    px=""
    ctl_x="" ctl_y="" ctl_top="" ctl_state="" ctl_enabled="" ctl_text=""
    ctl() { # reads control $1 of the "Points" dialog
        local line
        line=$(probe control Points "$1")
        [[ $line =~ ^[0-9] ]] || fail "no control $1 in the Points dialog ($line)"
        read -r ctl_x ctl_y _ ctl_top _ _ ctl_state ctl_enabled ctl_text <<<"$line"
    }
    press() { ctl "$1"; xdotool mousemove "$ctl_x" "$ctl_y" click 1; sleep 0.3; }
    read -r px py <<<"$(probe pixel 25 50 "$dpi")"
    [[ $px =~ ^[0-9]+$ ]] || fail "no pixel for 25 deg.C, 50 % ($px)"
    shot before_points
    dot_at "$shots/before_points.png" $((x + px)) $((y + py)) && fail "a point at $px,$py before any was added"

    open_menu 10 10
    choose_item $item_points
    for _ in $(seq 40); do
        [[ $(probe control Points 1) =~ ^[0-9] ]] && break
        sleep 0.25
    done
    sleep 1
    # DB.T and R.H known: every other parameter is disabled.
    press 228
    press 208
    xdotool type --delay 60 25
    press 223
    press 212
    xdotool type --delay 60 50
    ctl 228; [ "$ctl_state" = checked ] || fail "DB.T is not checked after a click"
    ctl 223; [ "$ctl_state" = checked ] || fail "R.H is not checked after a click"
    ctl 222; [ "$ctl_enabled" = disabled ] || fail "M.C stays enabled with two parameters known"
    # The name in the name box's edit field, at the top of the box.
    ctl 227
    xdotool mousemove "$ctl_x" $((ctl_top + 6)) click 1
    xdotool type --delay 60 Supply
    sleep 0.5
    ctl 217; [ "$ctl_enabled" = enabled ] || fail "\"+\" is not enabled for a new name and two values"
    shot points_dialog
    press 217
    sleep 0.5
    # The added point is shown: its values as the dialog formats them.
    ctl 208; [ "$ctl_text" = 25.00 ] || fail "DB.T shows \"$ctl_text\" after +"
    ctl 212; [ "$ctl_text" = 50.0 ] || fail "R.H shows \"$ctl_text\" after +"
    press 1
    for _ in $(seq 20); do
        [[ $(probe control Points 1) =~ ^[0-9] ]] || break
        sleep 0.25
    done
    [[ $(probe control Points 1) =~ ^[0-9] ]] && fail "OK did not close the Points dialog"
    alive || fail "the Points dialog's OK ended Humistart"
    shot added
    dot_at "$shots/added.png" $((x + px)) $((y + py)) || fail "no point at $px,$py where 25 deg.C and 50 % lie"
    # The dot's radius (4 at 96 dpi) grows with the display.
    dot_at "$shots/added.png" $((x + px + $(px 4) - 1)) $((y + py)) || fail "the dot is smaller than $(px 8) pixels"
    dot_at "$shots/added.png" $((x + px + $(px 4) + 2)) $((y + py)) && fail "the dot is larger than $(px 8) pixels"
    [ "$(blue_in "$shots/added.png" $((x + px + 8)) $((y + py + 5)) 50 14)" -ge 8 ] || fail "no name beside the added point"
    ;;
esac
close_with_alt_f4
echo "humistart menu $mode: ok"
