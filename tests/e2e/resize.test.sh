#!/usr/bin/env bash
# Windows smaller than 100 x 43: started in one, the program shows the
# notice, ignores keys and draws the menu once the window is large enough.
# Shrunk mid-drill and mid-practice-test (review panel on), the notice
# replaces the screen, keys are not acted on, and after growing back every
# row is as it was, colours included (the drill's run time masked, it ticks
# on). A burst of resizes ends the same way.
source "$(dirname "$0")/lib.sh"
BINARY=$1

# The pane cell by cell as "character/background/foreground". A blank's
# foreground and the blanks ending a row are left out: ncurses may clear
# them instead of writing them, which tmux records differently.
snapshot() {
    e2e_screen -e -N | sed -E 's/(Run Time: )[0-9:]{8}/\1hh:mm:ss/' | python3 -c '
import re, sys
fg = bg = "d"  # tmux carries the colours over from one row to the next
for line in sys.stdin.read().split("\n")[:43]:
    cells = []
    for part in re.split(r"(\x1b\[[0-9;]*m)", line):
        if not part.startswith("\x1b["):
            cells += [c + "/" + bg + ("" if c == " " else "/" + fg) for c in part]
            continue
        codes = [int(c or 0) for c in part[2:-1].split(";")]
        i = 0
        while i < len(codes):
            c = codes[i]
            if c in (38, 48) and i + 2 < len(codes):
                fg, bg = (str(codes[i + 2]), bg) if c == 38 else (fg, str(codes[i + 2]))
                i += 2
            elif c == 0: fg = bg = "d"
            elif 30 <= c <= 37 or 90 <= c <= 97: fg = str(c)
            elif c == 39: fg = "d"
            elif 40 <= c <= 47 or 100 <= c <= 107: bg = str(c)
            elif c == 49: bg = "d"
            i += 1
    while cells and cells[-1].startswith(" /"):
        cells.pop()
    print(" ".join(cells))
'
}

expect_same_screen() {  # WHAT: compares the pane with $E2E_DIR/before
    local row
    snapshot >"$E2E_DIR/after"
    for row in $(seq 43); do
        [[ "$(sed -n "${row}p" "$E2E_DIR/before")" == "$(sed -n "${row}p" "$E2E_DIR/after")" ]] ||
            e2e_fail "$1: row $row differs: '$(sed -n "${row}p" "$E2E_DIR/before" | cat -v)' became '$(sed -n "${row}p" "$E2E_DIR/after" | cat -v)'"
    done
}

# shrink_and_restore COLUMNS ROWS KEY WHAT: shrinks the window, types KEY
# under the notice, restores 100 x 43 and compares with the screen before.
shrink_and_restore() {
    snapshot >"$E2E_DIR/before"
    e2e_resize "$1" "$2"
    e2e_wait_for "this one is $1 x $2"
    e2e_keys "$3"
    sleep 0.3
    e2e_resize 100 43
    e2e_wait_gone "Please make the window larger"
    sleep 0.3
    expect_same_screen "$4"
}

# Started too small; a key under the notice does nothing.
e2e_start "$BINARY" 80 30
e2e_wait_for "at least 100 x 43"
e2e_keys 7
sleep 0.3
e2e_resize 120 50
e2e_wait_row_is 21 "$E2E_MENU_PROMPT"
e2e_expect_row 8 "         0. SUBELEMENT T0"
e2e_expect_colors 21 97 44

# A drill question: narrower, shorter, then a burst of sizes.
e2e_resize 100 43
e2e_keys 0
e2e_wait_at 21 15 "$E2E_ORDER_PROMPT"
e2e_keys r
e2e_wait_for "Run Time: 00:00:01"
shrink_and_restore 90 43 s "drill, narrower window"
shrink_and_restore 100 30 A "drill, shorter window"
shown=$(e2e_cells 25 50 18)
sleep 1.2
[[ "$(e2e_cells 25 50 18)" != "$shown" ]] || e2e_fail "the run time stopped at $shown"
snapshot >"$E2E_DIR/before"
for size in "80 30" "100 43" "99 43" "120 50" "100 20" "100 43"; do
    # shellcheck disable=SC2086
    e2e_resize $size
done
sleep 0.5
expect_same_screen "drill, burst of resizes"

# A practice test page with two answers given and the review panel on.
e2e_keys s
e2e_wait_row_is 21 "$E2E_MENU_PROMPT"
e2e_exam
e2e_keys b
e2e_wait_at 3 1 "  3. "
e2e_keys r
e2e_wait_for "Current Test Status:"
shrink_and_restore 99 42 n "practice test, review panel on"
e2e_expect_row 3 "  3. "
e2e_shows "02. B" || e2e_fail "the review panel lost the second answer"
exit 0
