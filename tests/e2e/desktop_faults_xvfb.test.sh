#!/usr/bin/env bash
# Faults of the window system never end the program: another client closes
# the figure window of T6C02 (T6C03 shows its figure again), then the X
# server dies while it is open and T6C04 asks a display that is gone. Keys
# work all along and the program ends cleanly, the terminal restored.
# Skipped (exit 0) when Xvfb, xwininfo or xdotool is not installed.
source "$(dirname "$0")/lib.sh"
for tool in Xvfb xwininfo xdotool; do
    command -v "$tool" >/dev/null || { e2e_log "SKIPPED: $tool is not installed"; exit 0; }
done
mkfifo "$E2E_DIR/displayfd"
Xvfb -displayfd 3 -nolisten tcp 3>"$E2E_DIR/displayfd" 2>/dev/null &
XVFB_PID=$!
trap 'e2e_cleanup; kill "$XVFB_PID" 2>/dev/null' EXIT
read -r -t 10 display <"$E2E_DIR/displayfd" || e2e_fail "Xvfb did not start"
export DISPLAY=":$display"

figure() { xwininfo -root -tree 2>/dev/null | grep -F '"Figure T1": ' | awk '{print $1}'; }
wait_figure() { E2E_WHY="no figure window for $1" e2e_poll test -n "$(figure)"; }
next_question() {  # answers rightly from the peek marker; waits for question $1
    e2e_snap
    e2e_keys "$(e2e_peek_letter_in "$E2E_SHOT")"
    e2e_wait_at 2 2 "Question ID: $1"
}
still_running() { sleep 0.5; e2e_running || e2e_fail "the program ended: $1"; }

e2e_menu "$1"
e2e_keys 6 s
e2e_wait_for "Start with Question:"
e2e_keys 2 4 Enter Space
e2e_wait_at 25 90 "Peek On"
wait_figure T6C02
xdotool windowclose "$(figure)"
still_running "another client closed the figure window"
next_question T6C03
wait_figure T6C03
kill "$XVFB_PID"
still_running "the X server died with a window open"
next_question T6C04  # the display is gone
e2e_keys s
e2e_wait_for "Pick the sub element"
e2e_keys Escape
e2e_exits_clean 10
