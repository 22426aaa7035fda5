#!/usr/bin/env bash
# The figure window on a private X server, the program in tmux: T6C02 opens
# "Figure T1" (640 x 533 at 1000,100) while keys keep reaching the program;
# T6C03, with the same figure, shows it again (in the same X window, hidden
# and shown: the X server does not grow per figure); stopping the drill
# closes it.
source "$(dirname "$0")/lib.sh"
e2e_xvfb

# figure: the id of the one viewable window titled "Figure T1".
figure() {
    local ids
    ids=$(xwininfo -root -tree | awk '/"Figure T1": / {print $1}' |
        while read -r id; do xwininfo -id "$id" | grep -q IsViewable && echo "$id"; done)
    [[ -n $ids && $ids != *$'\n'* ]] && echo "$ids"
}
geometry() { xwininfo -id "$1" | awk '/Absolute upper-left [XY]:|^ *(Width|Height):/ {printf "%s ", $NF}'; }

e2e_menu "$1"
e2e_keys 6
e2e_wait_for "[S]equence?"
e2e_keys s
e2e_wait_for "Start with Question:"
e2e_text 24
e2e_keys Enter
e2e_wait_at 2 2 "Question ID: T6C02"
e2e_until "no window Figure T1" figure
first=$(figure)
[[ $(geometry "$first") == "1000 100 640 533 " ]] || e2e_fail "Figure T1 at x y width height $(geometry "$first")"
e2e_keys h
e2e_wait_for "The Correct Answer is: "
e2e_keys "$(e2e_screen | sed -n 27p | cut -c25)"
e2e_wait_at 2 2 "Question ID: T6C03"
e2e_until "Figure T1 not shown again" eval '[[ $(figure) == "$first" ]]'
e2e_keys s
e2e_wait_for "$E2E_MENU"
e2e_until "Figure T1 stays after the drill" eval '[[ -z $(figure) ]]'
e2e_keys Escape
e2e_exits
