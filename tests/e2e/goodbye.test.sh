#!/usr/bin/env bash
# Esc on the menu: the goodbye line for five seconds, then a normal exit that
# leaves the terminal as it was and no process behind.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"
e2e_wait_for "Pick the sub element"
e2e_keys Escape
e2e_wait_for "Thanks for playing.  Have a real nice day."
e2e_expect_row 21 "                           Thanks for playing.  Have a real nice day."
e2e_expect_colors 21 97 44
sleep 3
e2e_screen | grep -qF "Thanks for playing." || e2e_fail "the goodbye line went away before five seconds"
status=$(e2e_wait_exit 8)
[[ "$status" == 0 ]] || e2e_fail "exit status $status"
e2e_expect_gone
e2e_expect_restored
exit 0
