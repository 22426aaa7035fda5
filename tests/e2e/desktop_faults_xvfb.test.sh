#!/usr/bin/env bash
# Faults of the window system never end the program: another client closes
# the figure window of T6C02 (T6C03 shows its figure again), then the X
# server dies while it is open and T6C04 asks a display that is gone. Keys
# work all along and the program ends cleanly, the terminal restored.
source "$(dirname "$0")/lib.sh"
e2e_xvfb
figure() { xwininfo -root -tree 2>/dev/null | grep -F '"Figure T1": ' | awk '{print $1}'; }
has_figure() { [[ -n $(figure) ]]; }
next_question() { # answers rightly from the peek marker; waits for question $1
    e2e_keys "$(e2e_peek)"
    e2e_wait_at 2 2 "Question ID: $1"
    sleep 0.2
}
still_running() { sleep 0.5; e2e_ended && e2e_fail "the program ended: $1"; return 0; }

e2e_menu "$1"
e2e_keys 6 s
e2e_wait_for "Start with Question:"
e2e_keys 2 4 Enter Space
e2e_wait_at 25 90 "Peek On"
e2e_until "no figure window for T6C02" has_figure
xdotool windowclose "$(figure)"
still_running "another client closed the figure window"
next_question T6C03
e2e_until "no figure window for T6C03" has_figure
kill "$E2E_XVFB" && E2E_XVFB=""
still_running "the X server died with a window open"
next_question T6C04 # the display is gone
e2e_keys s
e2e_wait_for "$E2E_MENU"
e2e_keys Escape
e2e_exits
