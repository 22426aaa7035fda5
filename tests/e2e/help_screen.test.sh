#!/usr/bin/env bash
# "?" shows the help page; any key (here an arrow) returns to the menu and is
# not passed on to it.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"
e2e_wait_for "Pick the sub element"
e2e_keys '?'
e2e_wait_for "Welcome the Amateur Radio Technician Exam Practice Program."
[[ -z $(e2e_row 1) ]] || e2e_fail "row 1 of the help page should be empty"
e2e_expect_row 2 "  Welcome the Amateur Radio Technician Exam Practice Program.  This program will help you to"
e2e_expect_row 36 " If the Hint prompt is showing pressing the H key will Display Hint."
e2e_keys Up
e2e_wait_for "Pick the sub element"
e2e_wait_gone "Welcome the Amateur"
sleep 0.5
e2e_screen | grep -qF "[R]andomly" && e2e_fail "the key that closed the help page reached the menu"
e2e_expect_row 6 "                                <<< Pathwick >>>"
exit 0
