#!/usr/bin/env bash
# A design tool used as a person would, under the session's display: the
# room point N named with the name editor, "Tools", "Supply air state..."
# chosen from the context menu with its keys, the room picked and the loads
# typed, the supply state read off the dialog and OK pressed: the supply
# point stands on the chart where the dialog's figures put it, joined to N
# by the supply line.
#   humistart_design_e2e.sh <bin directory> <screenshot directory>
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_common.sh" "$1" "$2/design"

title="Supply air state"
ctl_x="" ctl_y="" ctl_text=""
ctl() { # reads control $1 of the dialog
    local line
    line=$(probe control "$title" "$1")
    [[ $line =~ ^[0-9] ]] || fail "no control $1 in \"$title\" ($line)"
    read -r ctl_x ctl_y _ _ _ _ _ _ ctl_text <<<"$line"
}
click() { ctl "$1"; xdotool mousemove "$ctl_x" "$ctl_y" click 1; sleep 0.3; }

# The room: a click where 26 degC and 55 % lie, named N in the name editor.
read -r nx ny <<<"$(probe pixel 26 55)"
[[ $nx =~ ^[0-9]+$ ]] || fail "no pixel for 26 deg.C, 55 % ($nx)"
xdotool mousemove $((x + nx)) $((y + ny)) click 1
sleep 1
xdotool type --delay 60 N
xdotool key Return
sleep 1

# The context menu's fifth item is "Tools"; Right opens its sub-menu on its
# first item, "Supply air state...".
xdotool mousemove $((x + 10)) $((y + 10)) click 3
for _ in $(seq 40); do
    [[ $(probe menu) =~ ^[0-9]+\ [0-9]+ ]] && break
    sleep 0.25
done
for _ in 1 2 3 4 5; do xdotool key Down; done
sleep 0.5
xdotool key Right
sleep 0.5
xdotool key Return
for _ in $(seq 40); do
    [[ $(probe control "$title" 1) =~ ^[0-9] ]] && break
    sleep 0.25
done
[[ $(probe control "$title" 1) =~ ^[0-9] ]] || fail "\"Tools\", \"Supply air state...\" opened no dialog"
sleep 1

# The room from its list (the list closed again, Down picks its one item),
# the loads typed; the difference stays at 8 K.
click 1501
xdotool key Escape
sleep 0.3
xdotool key Down
sleep 0.5
ctl 1501; [ "$ctl_text" = N ] || fail "the room list shows \"$ctl_text\", not N"
click 1502
xdotool type --delay 60 10
click 1504
xdotool type --delay 60 3
sleep 0.5
shot dialog
ctl 1505; [ "$ctl_text" = 8 ] || fail "the temperature difference is \"$ctl_text\", not 8"
ctl 1506; [ "$ctl_text" = 12000.00 ] || fail "the heat-moisture ratio shows \"$ctl_text\""
ctl 1507; supply_t=$ctl_text
ctl 1508; supply_rh=$ctl_text
echo "supply state in the dialog: $supply_t deg.C, $supply_rh %"
[[ $supply_t =~ ^1[78]\.[0-9]{2}$ ]] || fail "the supply temperature is \"$supply_t\", not 8 K below the room's"
click 1
for _ in $(seq 20); do
    [[ $(probe control "$title" 1) =~ ^[0-9] ]] || break
    sleep 0.25
done
[[ $(probe control "$title" 1) =~ ^[0-9] ]] && fail "OK did not close \"$title\""
alive || fail "the tool's OK ended Humistart"
shot added

read -r ox oy <<<"$(probe pixel "$supply_t" "$supply_rh")"
[[ $ox =~ ^[0-9]+$ ]] || fail "no pixel for the supply state ($ox)"
dot_at "$shots/added.png" $((x + ox)) $((y + oy)) || fail "no supply point at $ox,$oy"
dot_at "$shots/added.png" $((x + nx)) $((y + ny)) || fail "the room point is gone"
# The supply line: blue halfway between the two points.
mx=$(((ox + nx) / 2)) my=$(((oy + ny) / 2))
[ "$(blue_in "$shots/added.png" $((x + mx - 2)) $((y + my - 2)) 5 5)" -ge 2 ] || fail "no line from O to N"
close_with_alt_f4
echo "humistart design: ok"
