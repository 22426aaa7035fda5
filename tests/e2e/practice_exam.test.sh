#!/usr/bin/env bash
# A whole practice test by keys (either case) and label clicks, Next and
# Prev by key and click, review on and off, one question skipped. The review
# grid shows every answer; Stop Exam + N goes back, + Y shows the result,
# whose counts agree with the panel and add up to 35; any key: the menu.
source "$(dirname "$0")/lib.sh"
E2E_TIMEOUT=20
BAR=" [ A ][ B ][ C ][ D ]   Next  Prev            Review       Stop Exam"
RULE=$(printf '─%.0s' $(seq 99))

# The page of question N is up: its number on row 3, the bar on row 25.
wait_page() {
    e2e_wait_at 3 1 "  $1. "
    e2e_wait_at 25 1 "$BAR"
}

# Row and column of question N's entry in the review grid.
grid_cell() { local columns=(30 41 51 61); echo "$((27 + ($1 - 1) % 10)) ${columns[($1 - 1) / 10]}"; }

# The number printNumber wrote from column 23 (panel) or 58 (result).
number_at() { e2e_cells_in "$E2E_SHOT" "$1" "$2" 8 | tr -d ' '; }

e2e_menu "$1" 100 43 "$E2E_REPO_ROOT"
e2e_keys p
wait_page 1
e2e_snap
for row in 1 24 26; do [[ "$(e2e_row_in "$E2E_SHOT" $row)" == "$RULE" ]] || e2e_fail "row $row is not a rule of 99"; done
[[ -z "$(e2e_row_in "$E2E_SHOT" 27)" ]] || e2e_fail "review panel shown before R"
# The question from row 3 (one to three lines), a blank row, then choice A.
row=5
while ((row <= 7)) && [[ "$(e2e_cells_in "$E2E_SHOT" "$row" 1 8)" != "     A. " ]]; do row=$((row + 1)); done
((row <= 7)) || e2e_fail "choice A is not on row 5, 6 or 7"
[[ -z "$(e2e_row_in "$E2E_SHOT" $((row - 1)))" ]] || e2e_fail "no blank row before choice A"

# Prev on question 1 stays on question 1.
e2e_keys P
sleep 0.3
wait_page 1

# Review on by key.
e2e_keys r
e2e_wait_at 27 1 "     Correct Answers: 0"
e2e_expect_at 28 1 "   Incorrect Answers: 0"
e2e_expect_at 29 1 "  Your Current Score:"
e2e_expect_at 30 1 " Current Test Status:"
e2e_expect_at 27 30 "01.  "
e2e_expect_at 31 61 "35.  "

letters=(A B C D)
declare -a given
q=1
while ((q <= 35)); do
    letter=${letters[$(((q * 3 + q / 4) % 4))]}
    if ((q == 10)); then  # skipped: N moves on without an answer
        e2e_keys n
        q=11
        wait_page "$q"
        continue
    fi
    if ((q == 5)); then  # click Next, then Prev, back to 5
        e2e_click 25 26
        wait_page 6
        e2e_click 25 33
        wait_page 5
    fi
    case $((q % 4)) in
    0) e2e_keys "${letter,,}" ;;
    1) e2e_keys "$letter" ;;
    *) e2e_click 25 "$(e2e_label_column "$letter")" ;;
    esac
    given[q]=$letter
    if ((q == 35)); then
        e2e_wait_at 22 10 "This was the last question you can End the exam or go back to a Previous question."
        e2e_wait_at 25 37 "Press any key to continue."
        e2e_keys Down
        wait_page 35
        [[ -z "$(e2e_row 22)" ]] || e2e_fail "the last-question notice stayed on row 22"
    else
        wait_page $((q + 1))
    fi
    q=$((q + 1))
done

# Review off by key blanks the panel; on again by a click on "Review".
e2e_keys R
e2e_wait_gone "Correct Answers:"
e2e_click 25 50
e2e_wait_at 27 1 "     Correct Answers:"
e2e_snap
answered=0
for q in $(seq 35); do
    read -r row column < <(grid_cell "$q")
    expected=$(printf '%02d. %-1s' "$q" "${given[q]:-}")
    [[ "$(e2e_cells_in "$E2E_SHOT" "$row" "$column" 5)" == "$expected" ]] ||
        e2e_fail "grid entry of question $q is '$(e2e_cells_in "$E2E_SHOT" "$row" "$column" 5)', expected '$expected'"
    [[ -n "${given[q]:-}" ]] && answered=$((answered + 1))
done
panel_correct=$(number_at 27 22)
panel_incorrect=$(number_at 28 22)
((panel_correct + panel_incorrect == answered)) ||
    e2e_fail "panel: $panel_correct correct + $panel_incorrect incorrect, but $answered answered"
status=$(e2e_cells_in "$E2E_SHOT" 30 23 4)
[[ "$status" == Pass || "$status" == Fail ]] || e2e_fail "panel status is '$status'"

# Stop Exam (click), N: the same question and the bar again.
e2e_click 25 62
e2e_wait_at 25 26 "Are you sure you want to end the Exam? [Y] or [N]"
e2e_keys n
wait_page 35
e2e_expect_at 27 1 "     Correct Answers:"

# Stop Exam (key), Y: the result screen.
e2e_keys s
e2e_wait_at 25 26 "Are you sure you want to end the Exam? [Y] or [N]"
e2e_keys y
e2e_wait_at 25 35 "Press any key to end the exam."
e2e_snap
e2e_expect_at 19 39 "  Correct Answers:"
e2e_expect_at 20 39 "Incorrect Answers:"
e2e_expect_at 21 39 "Skipped Questions:"
e2e_expect_at 22 39 "       Your Score:"
e2e_expect_at 23 39 "      Your Status:"
e2e_expect_colors 19 97 44
correct=$(number_at 19 57)
incorrect=$(number_at 20 57)
skipped=$(number_at 21 57)
((correct + incorrect + skipped == 35)) || e2e_fail "counts $correct + $incorrect + $skipped do not add up to 35"
((correct == panel_correct && incorrect == panel_incorrect)) ||
    e2e_fail "result $correct/$incorrect differs from the panel's $panel_correct/$panel_incorrect"
((skipped == 35 - answered)) || e2e_fail "$skipped skipped, expected $((35 - answered))"
score=$(awk -v c="$correct" 'BEGIN { s = sprintf("%.2f", 100 * c / 35); sub(/\.?0+$/, "", s); print s }')
e2e_expect_at 22 57 " $score % "
verdict=$(awk -v c="$correct" 'BEGIN { print (100 * c / 35 > 73.99) ? "Pass" : "Fail" }')
e2e_expect_at 23 57 " $verdict"

e2e_keys x
e2e_wait_for "Pick the sub element"
e2e_expect_row 18 "         P. Take a Practice Test"
exit 0
