#!/usr/bin/env bash
# Left clicks on the menu dispatch by row, whatever the column: row 8 is
# "0" (the T0 drill), row 15 is "7", row 18 the practice test, row 19 study
# mode. A right click does nothing.
source "$(dirname "$0")/lib.sh"

menu_then_click() {
    e2e_start "$BINARY"
    e2e_wait_for "Pick the sub element"
    e2e_click "$1" "$2"
    e2e_wait_for "$3"
    e2e_stop
}

BINARY=$1
menu_then_click 8 40 "Module T0 – Electrical Safety"
menu_then_click 15 90 "Module T7"
menu_then_click 18 12 "Stop Exam"
menu_then_click 19 1 "In this mode you can enter in a specific question ID"

e2e_start "$BINARY"
e2e_wait_for "Pick the sub element"
e2e_bytes '\033[<2;12;18M\033[<2;12;18m\033[<64;12;18M'  # right button, wheel
sleep 0.5
e2e_expect_row 21 "                   Pick the sub element"
exit 0
