#!/usr/bin/env bash
# The window shrunk below 100 x 43 while a drill question waits for an answer
# and while a practice test page shows the review panel: the notice replaces
# the screen, keys are not acted on meanwhile, and once the window is large
# enough again every row is back as it was, colours included (the drill's
# run time is masked: it moves on meanwhile). A burst of resizes with no
# pause between them ends the same way.
source "$(dirname "$0")/lib.sh"
BINARY=$1

# The pane cell by cell as "character/background/foreground", the drill's
# run time masked. A blank's foreground is left out, and so are the blanks at
# the end of a row: ncurses may clear a run of blanks instead of writing
# them, which tmux records differently (default foreground, or no cell).
snapshot() {
    e2e_screen -e -N | sed -E 's/(Run Time: )[0-9]{2}:[0-9]{2}:[0-9]{2}/\1hh:mm:ss/' | python3 -c '
import re, sys
fg = bg = "d"  # tmux carries the colours over from one row to the next
for line in sys.stdin.read().split("\n")[:43]:
    cells = []
    for part in re.split(r"(\x1b\[[0-9;]*m)", line):
        if part.startswith("\x1b["):
            codes = part[2:-1].split(";")
            i = 0
            while i < len(codes):
                code = int(codes[i] or 0)
                if code in (38, 48) and i + 2 < len(codes):
                    fg, bg = (codes[i + 2], bg) if code == 38 else (fg, codes[i + 2])
                    i += 2
                elif code == 0:
                    fg = bg = "d"
                elif 30 <= code <= 37 or 90 <= code <= 97:
                    fg = str(code)
                elif code == 39:
                    fg = "d"
                elif 40 <= code <= 47 or 100 <= code <= 107:
                    bg = str(code)
                elif code == 49:
                    bg = "d"
                i += 1
        else:
            cells += [c + "/" + bg + ("" if c == " " else "/" + fg) for c in part]
    while cells and cells[-1].startswith(" /"):
        cells.pop()
    print(" ".join(cells))
'
}

expect_same_screen() {  # BEFORE-FILE AFTER-FILE WHAT
    local row
    for row in $(seq 43); do
        [[ "$(sed -n "${row}p" "$1")" == "$(sed -n "${row}p" "$2")" ]] ||
            e2e_fail "$3: row $row differs: '$(sed -n "${row}p" "$1" | cat -v)' became '$(sed -n "${row}p" "$2" | cat -v)'"
    done
}

# shrink_and_restore COLUMNS ROWS KEYS WHAT: shrinks the window, types KEYS
# under the notice, restores 100 x 43 and compares with the screen before.
shrink_and_restore() {
    snapshot >"$E2E_DIR/before"
    e2e_resize "$1" "$2"
    e2e_wait_for "this one is $1 x $2"
    [[ -n "$3" ]] && e2e_keys "$3" && sleep 0.3
    e2e_resize 100 43
    e2e_wait_gone "Please make the window larger"
    sleep 0.3
    snapshot >"$E2E_DIR/after"
    expect_same_screen "$E2E_DIR/before" "$E2E_DIR/after" "$4"
}

# A drill question.
e2e_start "$BINARY"
e2e_wait_for "Pick the sub element"
e2e_keys 0
e2e_wait_for "[R]andomly or in [S]equence?"
e2e_keys r
e2e_wait_for "Stop Drill"
e2e_wait_for "Run Time: 00:00:01"
shrink_and_restore 90 43 s "drill, narrower window"
shrink_and_restore 100 30 A "drill, shorter window"
run_time() { e2e_screen | grep -o 'Run Time: [0-9:]*'; }
shown=$(run_time)
sleep 1.2
[[ "$(run_time)" != "$shown" ]] || e2e_fail "the run time stopped at $shown"

snapshot >"$E2E_DIR/before"
for size in "80 30" "100 43" "99 43" "120 50" "100 20" "100 43"; do
    # shellcheck disable=SC2086
    e2e_resize $size
done
sleep 0.5
snapshot >"$E2E_DIR/after"
expect_same_screen "$E2E_DIR/before" "$E2E_DIR/after" "drill, burst of resizes"
e2e_stop

# A practice test page with two answers given and the review panel on.
e2e_start "$BINARY"
e2e_wait_for "Pick the sub element"
e2e_keys p
e2e_wait_for "Stop Exam"
e2e_keys a
e2e_wait_for "  2. "
e2e_keys b
e2e_wait_for "  3. "
e2e_keys r
e2e_wait_for "Current Test Status:"
shrink_and_restore 99 42 n "practice test, review panel on"
e2e_expect_row 3 "  3. "
e2e_screen | grep -qF "02. B" || e2e_fail "the review panel lost the second answer"
exit 0
