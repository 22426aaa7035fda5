#!/usr/bin/env bash
# Started in a window smaller than 100 x 43 the program asks for a larger
# one, ignores keys meanwhile, and draws the menu once the window is large
# enough; shrinking it again shows the notice, growing it restores the menu.
source "$(dirname "$0")/lib.sh"
e2e_start "$1" 80 30
e2e_wait_for "at least 100 x 43"
e2e_keys 7
sleep 0.3
e2e_resize 100 43
e2e_wait_for "Pick the sub element"
e2e_expect_row 8 "         0. SUBELEMENT T0"
e2e_resize 99 43
e2e_wait_for "this one is 99 x 43"
e2e_resize 120 50
e2e_wait_for "Pick the sub element"
e2e_expect_row 6 "                                <<< Pathwick >>>"
e2e_expect_colors 21 97 44
e2e_keys 7
e2e_wait_for "Module T7"
exit 0
