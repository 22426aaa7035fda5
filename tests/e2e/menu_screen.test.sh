#!/usr/bin/env bash
# The main menu: every line at its row and column, the rule of 80 box-drawing
# characters, white on blue, and the version in the window title.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"
e2e_wait_for "Pick the sub element"

indent="         "  # the menu starts at column 10
e2e_expect_row 6 "${indent}                       <<< Pathwick >>>"
rule=$(printf '─%.0s' $(seq 80))
[[ $(e2e_row 7) == "${indent}${rule}" ]] || e2e_fail "row 7 is not 80 rule characters from column 10: $(e2e_row 7)"
e2e_expect_row 8 "${indent}0. SUBELEMENT T0 – Electrical Safety – [3 Exam Questions - 3 Groups]"
e2e_expect_row 9 "${indent}1. SUBELEMENT T1 – FCC Rules [6 Exam Questions - 6 Groups]"
e2e_expect_row 10 "${indent}2. SUBELEMENT T2 - Operating Procedures - [3 Exam Questions - 3 Groups]"
e2e_expect_row 12 "${indent}4. SUBELEMENT T4 - Amateur Radio Practices – [2 Exam Questions - 2 Groups]"
e2e_expect_row 17 "${indent}9. SUBELEMENT T9 – Antennas and Feed Lines - [2 Exam Questions - 2 Groups]"
e2e_expect_row 18 "${indent}P. Take a Practice Test"
e2e_expect_row 19 "${indent}S. Study Mode - review specific questions"
[[ -z $(e2e_row 20) ]] || e2e_fail "row 20 should be empty: $(e2e_row 20)"
e2e_expect_row 21 "${indent}          Pick the sub element you want to practice (0-9, P, ?)"

# Bright white (97) on blue (44).
for row in 6 8 18 21; do e2e_expect_colors "$row" 97 44; done

title=$(e2e_tmux display-message -p -t main '#{pane_title}')
[[ "$title" == *Pathwick*v2021.09.17a* ]] || e2e_fail "window title is '$title'"
exit 0
