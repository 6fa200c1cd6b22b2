#!/usr/bin/env bash
# Humistart used as a person would, under the session's display, with real
# input from xdotool: a click places a point and a typed name with Enter names
# it (seen on the screen where the geometry puts it); Esc and Enter with the
# chart or the name editor focused leave the launcher open; the wheel and a
# band zoom the chart about the points the geometry says; "Show parameters"
# from the context menu shows the calculator's eight values for the state
# under the cursor; Alt+F4 closes the launcher.
#   humistart_e2e.sh <bin directory> <screenshot directory>
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_common.sh" "$1" "$2"

# A point well below saturation: a quarter across, a third down the plot.
cx=$((plot_x + plot_w / 4)) cy=$((plot_y + plot_h / 3))

# The relative-humidity curves (olive) before anything is typed: the R of a
# name typed into the editor must not reach the chart, where it hides them.
shot start
olive_in() { convert "$1" -crop "${w}x${h}+${x}+${y}" +repage txt:- | grep -ci '#808000'; }
olive=$(olive_in "$shots/start.png")
[ "$olive" -ge 200 ] || fail "no relative-humidity curves to begin with ($olive)"

# Click, type a name, Enter.
xdotool mousemove $((x + cx)) $((y + cy)) click 1
wait_editor open "the name editor did not open"
xdotool type --delay 60 Room
xdotool key Return
wait_editor closed "Enter did not close the name editor"
alive || fail "Enter in the name editor ended Humistart"
shot named
dot_at "$shots/named.png" $((x + cx)) $((y + cy)) || fail "no point where the click was"
[ "$(blue_in "$shots/named.png" $((x + cx + 8)) $((y + cy + 5)) 40 14)" -ge 8 ] || fail "no name beside the point"
[ "$(olive_in "$shots/named.png")" -ge $((olive * 9 / 10)) ] || fail "the typed name's R reached the chart"

# Esc and Enter on the chart (focused by a click in its margin) and Esc in
# the editor act on the chart, not on the launcher.
xdotool mousemove $((x + 10)) $((y + 10)) click 1
xdotool key Escape Return
sleep 1
alive || fail "Esc or Enter on the chart ended Humistart"
cx2=$((cx + 40)) cy2=$((cy + 30))
xdotool mousemove $((x + cx2)) $((y + cy2)) click 1
wait_editor open "the name editor did not open for a second point"
xdotool type --delay 60 Kept
xdotool key Escape
wait_editor closed "Esc did not close the name editor"
alive || fail "Esc in the name editor ended Humistart"
shot kept
[ "$(blue_in "$shots/kept.png" $((x + cx2 + 8)) $((y + cy2 + 5)) 40 14)" -ge 8 ] || fail "Esc dropped the typed name"

# Five wheel notches up about the chart's centre: 2^(5/10).
ax=$((w / 2)) ay=$((h / 2))
xdotool mousemove $((x + ax)) $((y + ay)) click --repeat 5 --delay 100 4
shot wheel
read -r zx zy < <(awk -v p=$cx -v q=$cy -v a=$ax -v b=$ay 'BEGIN { k = 2 ^ 0.5; printf "%d %d\n", a + (p - a) * k + 0.5, b + (q - b) * k + 0.5 }')
dot_at "$shots/wheel.png" $((x + zx)) $((y + zy)) || fail "the wheel did not zoom about the cursor (point expected at $zx,$zy)"
xdotool key Escape
sleep 1

# A band in "Move and zoom" mode (key Z) around the named point.
bx=$((cx - 30)) by=$((cy - 20))
xdotool key z
xdotool mousemove $((x + bx)) $((y + by)) mousedown 1
for step in 1 2 3 4; do xdotool mousemove $((x + bx + step * 20)) $((y + by + step * 15)); done
xdotool mouseup 1
shot band
read -r zx zy < <(awk -v p=$cx -v q=$cy -v a=$bx -v b=$by -v W=$plot_w -v H=$plot_h -v X=$plot_x -v Y=$plot_y \
    'BEGIN { k = W / 80; if (H / 60 < k) k = H / 60; printf "%d %d\n", X + (p - a) * k + 0.5, Y + (q - b) * k + 0.5 }')
dot_at "$shots/band.png" $((x + zx)) $((y + zy)) || fail "the band did not zoom to the plot (point expected at $zx,$zy)"
xdotool key Escape
sleep 1

# "Show parameters" from the context menu, then the state under the cursor.
xdotool mousemove $((x + 10)) $((y + 10)) click 3
sleep 1
for _ in $(seq 10); do xdotool key Down; done
xdotool key Return
sleep 1
tx=$((cx + 25)) ty=$((cy + 12))
xdotool mousemove $((x + tx - 3)) $((y + ty)) mousemove $((x + tx)) $((y + ty))
sleep 1
probe params $tx $ty >"$shots/params.txt"
grep -q '^ok$' "$shots/params.txt" || fail "the parameter window shows other values: $(tr '\n' ';' <"$shots/params.txt")"
shot parameters

# Alt+F4 on the chart (focused by a click in its margin) closes the launcher.
close_with_alt_f4
echo "humistart end to end: ok"
