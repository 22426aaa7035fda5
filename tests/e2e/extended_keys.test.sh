#!/usr/bin/env bash
# Cursor keys, function keys and Alt+letter reach the program as extended
# keys: on the menu each of them starts the T0 drill, whose order prompt
# then appears.
source "$(dirname "$0")/lib.sh"
BINARY=$1
for key in Up Left F1 F12 M-a PPage; do
    e2e_start "$BINARY"
    e2e_wait_for "Pick the sub element"
    e2e_keys "$key"
    e2e_wait_for "Do you want the questions to be presented [R]andomly or in [S]equence?"
    e2e_screen | grep -qF "Module T0" || e2e_fail "$key did not start the T0 drill"
    e2e_stop
done
# Application cursor mode sends ESC O A for Up.
e2e_start "$BINARY"
e2e_wait_for "Pick the sub element"
e2e_bytes '\033OA'
e2e_wait_for "[R]andomly or in [S]equence?"
exit 0
