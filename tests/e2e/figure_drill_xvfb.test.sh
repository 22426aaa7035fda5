#!/usr/bin/env bash
# The figure window of a drill on a private Xvfb (no window manager), the
# program in tmux: T6C02 ("Figure:T1") opens "Figure T1" at +1000+100,
# 640 x 533; T6C03 (same figure) closes it and opens a new window; T6C12
# (no marker) leaves none; keys reach the program all along.
# Skipped (exit 0) when Xvfb or xwininfo is not installed.
source "$(dirname "$0")/lib.sh"
XVFB_PID=""
trap 'e2e_cleanup; [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null' EXIT
for tool in Xvfb xwininfo; do
    command -v "$tool" >/dev/null || { e2e_log "SKIPPED: $tool is not installed"; exit 0; }
done

# Xvfb picks a free display and writes its number to the pipe.
mkfifo "$E2E_DIR/displayfd"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$E2E_DIR/displayfd" 2>"$E2E_DIR/xvfb.log" &
XVFB_PID=$!
read -r -t 10 display <"$E2E_DIR/displayfd" || { cat "$E2E_DIR/xvfb.log" >&2; e2e_fail "Xvfb did not start"; }
export DISPLAY=":$display"

# The ids of the mapped windows named exactly TITLE (xwininfo: this xdotool
# does not match SDL's UTF-8 window names).
figure_windows() {
    local id
    xwininfo -root -tree 2>/dev/null | grep -F "\"$1\": " | awk '{print $1}' | while read -r id; do
        xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable" && echo "$id"
    done
}
one_figure() { [[ $(figure_windows "$1" | wc -l) == 1 ]]; }
no_figure() { [[ -z $(figure_windows "$1") ]]; }

# wait_figure TITLE X Y WIDTH HEIGHT: waits for exactly one such window,
# checks its place and size, and leaves its id in FIGURE.
wait_figure() {
    E2E_WHY="no single window '$1'" e2e_poll one_figure "$1"
    FIGURE=$(figure_windows "$1")
    local info
    info=$(xwininfo -id "$FIGURE" | awk '/Absolute upper-left [XY]:|^ *Width:|^ *Height:/ {printf "%s ", $NF}')
    [[ "$info" == "$2 $3 $4 $5 " ]] || e2e_fail "window '$1' has x y width height $info, expected $2 $3 $4 $5"
}

# question NUMBER ID: waits for it, then answers it rightly from the peek marker.
question() {
    e2e_wait_at 4 5 "$(printf '%03d' "$1"). "
    e2e_wait_at 2 2 "Question ID: $2"
}
answer() {
    e2e_snap
    e2e_keys "$(e2e_peek_letter_in "$E2E_SHOT")"
}
sequential_from() {
    e2e_keys 6
    e2e_wait_at 21 15 "$E2E_ORDER_PROMPT"
    e2e_keys s
    e2e_wait_for "Start with Question:"
    e2e_text "$1"
    e2e_keys Enter
}

e2e_menu "$1"
sequential_from 24
question 24 T6C02
wait_figure "Figure T1" 1000 100 640 533
first=$FIGURE
e2e_keys Space  # keys reach the program with the window open
e2e_wait_at 25 90 "Peek On"
answer
question 25 T6C03
wait_figure "Figure T1" 1000 100 640 533
[[ "$FIGURE" != "$first" ]] || e2e_fail "the figure window was not reopened (still $first)"
xwininfo -id "$first" >/dev/null 2>&1 && e2e_fail "the first figure window $first still exists"
e2e_keys s  # the window closes with the drill
e2e_wait_for "Pick the sub element"
E2E_WHY="Figure T1 still shown after the drill" e2e_poll no_figure "Figure T1"

sequential_from 33
question 33 T6C11
wait_figure "Figure T3" 1000 100 640 707
answer
question 34 T6C12
E2E_WHY="a figure window is shown for a question without a figure" e2e_poll no_figure "Figure T3"
[[ -z "$(xwininfo -root -tree 2>/dev/null | grep '"Figure T')" ]] || e2e_fail "a figure window is shown for T6C12"
answer
question 35 T6C13
e2e_keys s
e2e_wait_for "Pick the sub element"
e2e_keys Escape
e2e_exits_clean 10
exit 0
