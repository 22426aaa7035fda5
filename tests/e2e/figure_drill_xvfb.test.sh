#!/usr/bin/env bash
# The figure window of a drill on a real X server (a private Xvfb without a
# window manager), with the program in tmux as a person would run it:
# - a question marked "Figure:T1" opens a window titled "Figure T1" at
#   +1000+100, 640 x 533;
# - the next question with the same figure closes it and opens a new one
#   (a new window id);
# - a question without a marker leaves no figure window;
# - keys typed in the terminal keep reaching the program all along.
# Skipped (exit 0) when Xvfb or the X utilities are not installed.
source "$(dirname "$0")/lib.sh"

BINARY=$1
XVFB_PID=""

stop_xvfb() {
    if [[ -n "$XVFB_PID" ]] && kill -0 "$XVFB_PID" 2>/dev/null; then
        kill "$XVFB_PID" 2>/dev/null
        local waited=0
        while kill -0 "$XVFB_PID" 2>/dev/null && ((waited++ < 30)); do sleep 0.1; done
        kill -KILL "$XVFB_PID" 2>/dev/null || true
    fi
}
trap 'e2e_cleanup; stop_xvfb' EXIT

for tool in Xvfb xwininfo; do
    if ! command -v "$tool" >/dev/null; then
        e2e_log "SKIPPED: $tool is not installed (scripts/install-deps installs it)"
        exit 0
    fi
done

# Xvfb picks a free display and writes its number to the pipe.
start_xvfb() {
    local fifo=$E2E_DIR/displayfd display=""
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fifo" 2>"$E2E_DIR/xvfb.log" &
    XVFB_PID=$!
    read -r -t 10 display <"$fifo" || true
    [[ -n "$display" ]] || { cat "$E2E_DIR/xvfb.log" >&2; e2e_fail "Xvfb did not start"; }
    export DISPLAY=":$display"
    e2e_log "Xvfb on $DISPLAY (pid $XVFB_PID)"
}

# The ids of the mapped windows named exactly TITLE. (xwininfo rather than
# xdotool search: this xdotool does not match SDL's UTF-8 window names.)
figure_windows() {
    local id
    xwininfo -root -tree 2>/dev/null | grep -F "\"$1\": " | awk '{print $1}' |
        while read -r id; do
            xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable" && echo "$id"
        done | sort
}

# wait_figure TITLE [SECONDS]: waits until exactly one such window is
# mapped and prints its id.
wait_figure() {
    local title=$1 limit=${2:-$E2E_TIMEOUT} waited=0 ids
    for (( ; ; )); do
        ids=$(figure_windows "$title")
        [[ -n "$ids" && $(wc -l <<<"$ids") -eq 1 ]] && { echo "$ids"; return 0; }
        sleep 0.1
        ((++waited >= limit * 10)) && e2e_fail "no single window '$title' (have: ${ids:-none})"
    done
}

# wait_no_figure TITLE [SECONDS]: waits until no such window is mapped.
wait_no_figure() {
    local title=$1 limit=${2:-$E2E_TIMEOUT} waited=0
    while [[ -n "$(figure_windows "$title")" ]]; do
        sleep 0.1
        ((++waited >= limit * 10)) && e2e_fail "window '$title' is still shown"
    done
    return 0
}

# expect_geometry ID X Y WIDTH HEIGHT
expect_geometry() {
    local info x y width height
    [[ -n "$1" ]] || e2e_fail "no window id"
    info=$(xwininfo -id "$1") || e2e_fail "xwininfo cannot read window $1"
    x=$(awk '/Absolute upper-left X:/ {print $NF}' <<<"$info")
    y=$(awk '/Absolute upper-left Y:/ {print $NF}' <<<"$info")
    width=$(awk '/^ *Width:/ {print $NF}' <<<"$info")
    height=$(awk '/^ *Height:/ {print $NF}' <<<"$info")
    [[ "$x $y $width $height" == "$2 $3 $4 $5" ]] ||
        e2e_fail "window $1 is ${width}x${height}+${x}+${y}, expected ${4}x${5}+${2}+${3}"
}

# answer_question NUMBER: answers question NUMBER correctly, with peek on:
# the "*" above the answer bar marks the right letter. (A wrong answer would
# also move a sequential drill on, but it sounds the alert, which is not
# what this test is about.)
answer_question() {
    local marker column letter next
    marker=$(e2e_row 23)
    marker=${marker%%\**}
    column=$((${#marker} + 1))
    case $column in
    4) letter=a ;; 9) letter=b ;; 14) letter=c ;; 19) letter=d ;;
    *) e2e_fail "no peek marker above the answer bar of question $1" ;;
    esac
    next=$(printf '%03d. ' "$(($1 + 1))")
    e2e_keys "$letter"
    e2e_wait_for "$next"
}

# wait_question NUMBER ID: the question numbered NUMBER (shown with three
# digits) with the ID field ID is on the screen.
wait_question() {
    e2e_wait_for "$(printf '%03d' "$1"). "
    e2e_wait_for "Question ID: $2"
}

start_xvfb
e2e_start "$BINARY"
e2e_wait_for "Pick the sub element"

# Sequential drill of T6 from question 24, T6C02 (Figure T1).
e2e_keys 6
e2e_wait_for "[R]andomly or in [S]equence?"
e2e_keys s
e2e_wait_for "Start with Question:"
e2e_text 24
e2e_keys Enter
wait_question 24 T6C02
first=$(wait_figure "Figure T1") || exit 1
expect_geometry "$first" 1000 100 640 533

# Keys reach the program while the window is open: peek goes on (it stays
# on for the rest of the run and shows the right letter).
e2e_wait_for "Peek Off"
e2e_keys Space
e2e_wait_for "Peek On"

# T6C03 shows the same figure in a new window; the old one is gone.
answer_question 24
wait_question 25 T6C03
second=$(wait_figure "Figure T1") || exit 1
[[ "$second" != "$first" ]] || e2e_fail "the figure window was not reopened (still $first)"
xwininfo -id "$first" >/dev/null 2>&1 && e2e_fail "the first figure window $first still exists"
expect_geometry "$second" 1000 100 640 533


# Back to the menu: the window closes with the drill.
e2e_keys s
e2e_wait_for "Pick the sub element"
wait_no_figure "Figure T1"

# Sequential from T6C11 (Figure T3) to T6C12, which has no figure.
e2e_keys 6
e2e_wait_for "[R]andomly or in [S]equence?"
e2e_keys s
e2e_wait_for "Start with Question:"
e2e_text 33
e2e_keys Enter
wait_question 33 T6C11
third=$(wait_figure "Figure T3") || exit 1
expect_geometry "$third" 1000 100 640 707
answer_question 33
wait_question 34 "T6C12"
wait_no_figure "Figure T3"
[[ -z "$(xwininfo -root -tree 2>/dev/null | grep '"Figure T')" ]] ||
    e2e_fail "a figure window is shown for a question without a figure"

# The terminal still has the keyboard: the drill goes on and stops.
answer_question 34
wait_question 35 "T6C13"
e2e_keys s
e2e_wait_for "Pick the sub element"
e2e_keys Escape
e2e_wait_for "Thanks for playing."
status=$(e2e_wait_exit 10)
[[ "$status" == 0 ]] || e2e_fail "the program exited with $status"
exit 0
