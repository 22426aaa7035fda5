#!/usr/bin/env bash
# Line input in study mode: the cursor is shown at the output position while
# the user types, typed characters are echoed, Backspace erases, and the
# cursor is hidden again afterwards.
source "$(dirname "$0")/lib.sh"

expect_cursor() {  # VISIBLE ROW COLUMN (1-based)
    local actual
    actual=$(e2e_tmux display-message -p -t main '#{cursor_flag} #{cursor_y} #{cursor_x}')
    [[ "$actual" == "$1 $(($2 - 1)) $(($3 - 1))" ]] ||
        e2e_fail "cursor (visible, row, column from 0) is '$actual', expected '$1 $(($2 - 1)) $(($3 - 1))'"
}

e2e_start "$1"
e2e_wait_for "Pick the sub element"
[[ $(e2e_tmux display-message -p -t main '#{cursor_flag}') == 0 ]] || e2e_fail "the cursor is visible on the menu"
e2e_keys s
e2e_wait_for "In this mode you can enter in a specific question ID"
e2e_keys Space
e2e_wait_for "Enter the Question ID:"
e2e_expect_row 20 "                   Enter the Question ID:"
sleep 0.2
expect_cursor 1 20 43
e2e_text "T0A01x"
e2e_wait_for "Enter the Question ID: T0A01x"
e2e_keys BSpace
e2e_wait_gone "T0A01x"
expect_cursor 1 20 48
e2e_keys Enter
e2e_wait_for "Question ID: T0A01"
[[ $(e2e_tmux display-message -p -t main '#{cursor_flag}') == 0 ]] || e2e_fail "the cursor stays visible"
exit 0
