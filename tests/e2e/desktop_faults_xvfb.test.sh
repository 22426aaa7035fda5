#!/usr/bin/env bash
# Faults of the window system never end the program: another client closes
# the figure window of T6C02, then the X server dies while T6C03's figure is
# open and T6C04 asks a display that is gone. The program answers keys all
# along and ends cleanly, the terminal restored.
# Skipped (exit 0) when Xvfb, xwininfo or xdotool is not installed.
source "$(dirname "$0")/lib.sh"
XVFB_PID=""
trap 'e2e_cleanup; [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null' EXIT
for tool in Xvfb xwininfo xdotool; do
    command -v "$tool" >/dev/null || { e2e_log "SKIPPED: $tool is not installed"; exit 0; }
done

mkfifo "$E2E_DIR/displayfd"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$E2E_DIR/displayfd" 2>"$E2E_DIR/xvfb.log" &
XVFB_PID=$!
read -r -t 10 display <"$E2E_DIR/displayfd" || e2e_fail "Xvfb did not start"
export DISPLAY=":$display"

figure() { xwininfo -root -tree 2>/dev/null | grep -F '"Figure T1": ' | awk '{print $1}' | head -n 1; }
has_figure() { [[ -n "$(figure)" ]]; }
question() { e2e_wait_at 2 2 "Question ID: $1"; }
answer() {  # the right letter, from the peek marker
    e2e_snap
    e2e_keys "$(e2e_peek_letter_in "$E2E_SHOT")"
}
still_running() { sleep 0.5; e2e_running || e2e_fail "the program ended: $1"; }

e2e_menu "$1"
e2e_keys 6
e2e_wait_for "[S]equence?"
e2e_keys s
e2e_wait_for "Start with Question:"
e2e_text 24
e2e_keys Enter
question T6C02
E2E_WHY="no figure window for T6C02" e2e_poll has_figure
xdotool windowclose "$(figure)"
still_running "another client closed the figure window"
e2e_keys Space
e2e_wait_at 25 90 "Peek On"
answer
question T6C03
E2E_WHY="no figure window for T6C03 after the fault" e2e_poll has_figure

kill "$XVFB_PID"
wait "$XVFB_PID" 2>/dev/null
XVFB_PID=""
still_running "the X server died with a window open"
answer
question T6C04
still_running "the display is gone"
e2e_keys s
e2e_wait_for "Pick the sub element"
e2e_keys Escape
e2e_exits_clean 10
exit 0
