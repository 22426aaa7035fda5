#!/usr/bin/env bash
# One run through every screen with keys and the mouse, comparing the key
# rows with the documented texts: the menu; help (?, closed by a click); a
# random T4 drill using every drill key (A-D, space, H, Z, S) and the
# matching row-25 clicks; a sequential T4 drill from question 22 after
# invalid start entries, to its completion and back with Y; a drill stopped
# by the Stop Drill label; a practice test to its result screen; study mode;
# the goodbye line and the exit.
source "$(dirname "$0")/lib.sh"
E2E_TIMEOUT=20
MENU_PROMPT="                   Pick the sub element you want to practice (0-9, P, ?)"
ORDER_PROMPT="Do you want the questions to be presented [R]andomly or in [S]equence?"
DRILL_BAR=" [ A ][ B ][ C ][ D ] [Stop Drill]"
EXAM_BAR=" [ A ][ B ][ C ][ D ]   Next  Prev            Review       Stop Exam"
RULE99=$(printf '─%.0s' $(seq 99))
T4_NAME="Module T4 - Amateur Radio Practices and Station Set-up"

wait_menu() {
    e2e_wait_row_is 21 "$MENU_PROMPT"
    e2e_expect_row 6 "                                <<< Pathwick >>>"
    e2e_expect_row 8 "         0. SUBELEMENT T0 – Electrical Safety – [3 Exam Questions - 3 Groups]"
    e2e_expect_row 18 "         P. Take a Practice Test"
    e2e_expect_row 19 "         S. Study Mode - review specific questions"
    e2e_expect_colors 21 97 44
}

# question N: waits for drill question number N and reads it: LETTER is the
# letter the peek marker names (empty with peek off), ID the bare ID, BODY
# rows 4 to 20 (question and choices).
question() {
    NUMBER=$(printf '%03d' "$1")
    e2e_wait_at 4 5 "$NUMBER. "
    e2e_snap
    [[ "$(e2e_cells_in "$E2E_SHOT" 4 5 5)" == "$NUMBER. " ]] || e2e_fail "question $NUMBER went away"
    LETTER=$(e2e_peek_letter_in "$E2E_SHOT")
    ID=$(e2e_cells_in "$E2E_SHOT" 2 15 5)
    BODY=$(sed -n 4,20p <<<"$E2E_SHOT")
}

expect_drill_frame() {
    [[ "$(e2e_cells_in "$E2E_SHOT" 1 2 99)" == "$RULE99" ]] || e2e_fail "row 1: no rule from column 2"
    [[ "$(e2e_cells_in "$E2E_SHOT" 2 2 13)" == "Question ID: " ]] || e2e_fail "row 2: '$(e2e_row_in "$E2E_SHOT" 2)'"
    [[ "$(e2e_cells_in "$E2E_SHOT" 2 22 ${#T4_NAME})" == "$T4_NAME" ]] || e2e_fail "row 2: no short name at column 22"
    [[ "$(e2e_cells_in "$E2E_SHOT" 3 2 99)" == "$RULE99" ]] || e2e_fail "row 3: no rule"
    [[ "$(e2e_cells_in "$E2E_SHOT" 24 2 99)" == "$RULE99" ]] || e2e_fail "row 24: no rule"
    [[ "$(e2e_cells_in "$E2E_SHOT" 26 2 99)" == "$RULE99" ]] || e2e_fail "row 26: no rule"
    [[ "$(e2e_row_in "$E2E_SHOT" 25)" == "$DRILL_BAR"* ]] || e2e_fail "row 25: '$(e2e_row_in "$E2E_SHOT" 25)'"
    [[ "$(e2e_cells_in "$E2E_SHOT" 25 50 10)" == "Run Time: " ]] || e2e_fail "no run time at (25,50)"
    [[ "$(e2e_cells_in "$E2E_SHOT" 25 80 4)" == "Hint" ]] || e2e_fail "no Hint prompt at (25,80)"
}

# answered GIVEN [click]: after an answer to the question read last, a right
# one leads to the next number; a wrong one shows the three lines first,
# dismissed by a key or, with "click", by a click.
answered() {
    local given=$1 next
    next=$(printf '%03d' $((10#$NUMBER + 1)))
    if [[ "$given" != "$LETTER" ]]; then
        e2e_wait_at 21 29 "Incorrect Answer, the correct answer is $LETTER"
        e2e_expect_at 22 29 "We will come back to this question again."
        e2e_expect_at 23 29 "      Press any key to continue.....     "
        if [[ "${2:-}" == click ]]; then e2e_click 40 50; else e2e_keys Enter; fi
    fi
    [[ "${3:-}" == last ]] && return 0
    e2e_wait_at 4 5 "$next. "
}

e2e_start "$1" 100 43 "$E2E_REPO_ROOT"
wait_menu
title=$(e2e_tmux display-message -p -t main '#{pane_title}')
[[ "$title" == *Pathwick*v2021.09.17a* ]] || e2e_fail "window title is '$title'"

# --- Help: "?", closed by a click. ----------------------------------------
e2e_keys '?'
e2e_wait_row 2 "  Welcome the Amateur Radio Technician Exam Practice Program.  This program will help you to"
[[ -z "$(e2e_row 1)" ]] || e2e_fail "help row 1 should be empty"
e2e_expect_row 23 "  Class Exam, effective 7/01/2018-6/30/2022"
e2e_expect_row 33 " A=answer A, B=answer B, C=answer C, D=answer D"
e2e_expect_row 36 " If the Hint prompt is showing pressing the H key will Display Hint."
e2e_click 12 40
wait_menu

# --- Random T4 drill: every key and click. ----------------------------------
e2e_keys 4
e2e_wait_at 21 15 "$ORDER_PROMPT"
e2e_expect_at 16 15 "Module T4 - Amateur Radio Practices and Station Set-up: [2 Questions,"
e2e_expect_at 17 15 "2 Groups] [24 Questions]"
e2e_expect_colors 21 97 44
e2e_keys x  # neither R nor S: still asking
sleep 0.3
e2e_expect_at 21 15 "$ORDER_PROMPT"
e2e_keys r
question 1
expect_drill_frame
e2e_expect_at 25 90 "Peek Off"
[[ -z "$LETTER" ]] || e2e_fail "a peek marker with peek off"
e2e_expect_colors 25 93 41

# Space: peek on, the marker names the letter, the choices stay as they were.
body_before=$BODY
e2e_keys Space
e2e_wait_at 25 90 "Peek On"
question 1
[[ -n "$LETTER" ]] || e2e_fail "no peek marker after space"
[[ "$BODY" == "$body_before" ]] || e2e_fail "the choices changed when peek was switched on"
# H: the right letter on row 27 and the hint from row 29.
e2e_keys H
e2e_wait_at 27 2 "The Correct Answer is: $LETTER"
hint=$(e2e_hint_text "$ID")
e2e_wait_at 29 2 "${hint:0:50}"
# Z and a click on an empty part of row 25 redraw: nothing changes, row 27
# stays. A click on another row does nothing.
e2e_keys z
e2e_click 25 40
e2e_click 10 10
sleep 0.4
question 1
[[ "$BODY" == "$body_before" ]] || e2e_fail "the question changed on a redraw"
e2e_expect_at 27 2 "The Correct Answer is: $LETTER"
e2e_keys A
answered A

# Clicks on "Hint" and the peek indicator.
question 2
e2e_click 25 81
e2e_wait_at 27 2 "The Correct Answer is: $LETTER"
e2e_click 25 95
e2e_wait_at 25 90 "Peek Off"
question 2
[[ -z "$LETTER" ]] || e2e_fail "the marker stays with peek off"
e2e_click 25 92
e2e_wait_at 25 90 "Peek On"
question 2
e2e_keys b
answered B
question 3
e2e_keys C
answered C
question 4
e2e_keys d
answered D

# The answer labels A to D by click; wrong answers dismissed by a click.
n=5
for label in A B C D; do
    question "$n"
    e2e_click 25 "$(e2e_label_column "$label")"
    answered "$label" click
    n=$((n + 1))
done

# Stop Drill by click.
question "$n"
e2e_click 25 28
wait_menu

# --- Sequential T4 drill from question 22. ----------------------------------
e2e_click 12 70
e2e_wait_at 21 15 "$ORDER_PROMPT"
e2e_keys S
e2e_wait_row_is 23 "              Start with Question:"
for entry in abc 0 25 -3 ""; do
    [[ -n "$entry" ]] && e2e_text "$entry"
    e2e_wait_row_is 23 "              Start with Question:${entry:+ $entry}"
    e2e_keys Enter
    e2e_wait_row_is 23 "              Start with Question:"
done
e2e_text 22
e2e_keys Enter
question 22
[[ -n "$LETTER" ]] || e2e_fail "peek should still be on"
wrong=A; [[ "$LETTER" == A ]] && wrong=B
e2e_keys "$wrong"
answered "$wrong"
question 23
e2e_keys "$LETTER"
answered "$LETTER"
question 24
e2e_click 25 "$(e2e_label_column "$LETTER")"
answered "$LETTER" key last
e2e_wait_at 20 17 "You have correctly answered all of the questions in this section."
e2e_expect_at 21 17 "    Would you like to drill on another section? [Y] or [N]o?     "
e2e_keys y
wait_menu

# --- A drill left with the S key. -------------------------------------------
e2e_keys 0
e2e_wait_at 21 15 "$ORDER_PROMPT"
e2e_keys R
question 1
e2e_keys s
wait_menu

# --- Practice test, by a click on its menu row. -----------------------------
e2e_click 18 5
e2e_wait_row_is 25 "$EXAM_BAR"
e2e_wait_at 3 1 "  1. "
e2e_expect_colors 25 30 47
e2e_keys a
e2e_wait_at 3 1 "  2. "
e2e_click 25 27   # Next
e2e_wait_at 3 1 "  3. "
e2e_click 25 31   # Prev
e2e_wait_at 3 1 "  2. "
e2e_click 25 14   # C
e2e_wait_at 3 1 "  3. "
e2e_keys r
e2e_wait_at 27 1 "     Correct Answers:"
e2e_expect_at 27 30 "01. A"
e2e_expect_at 28 30 "02. C"
e2e_expect_at 29 30 "03.  "
e2e_click 25 65   # Stop Exam
e2e_wait_at 25 26 "Are you sure you want to end the Exam? [Y] or [N]"
e2e_keys N
e2e_wait_row_is 25 "$EXAM_BAR"
e2e_keys S
e2e_wait_at 25 26 "Are you sure you want to end the Exam? [Y] or [N]"
e2e_keys Y
e2e_wait_at 25 35 "Press any key to end the exam."
e2e_expect_at 21 39 "Skipped Questions: 33 "
e2e_expect_at 23 39 "      Your Status: Fail"
e2e_click 1 1
wait_menu

# --- Study mode. ------------------------------------------------------------
e2e_keys s
e2e_wait_at 15 16 "In this mode you can enter in a specific question ID such as,"
e2e_click 30 30
e2e_wait_row 20 "                   Enter the Question ID: "
e2e_text T0A01
e2e_keys Enter
e2e_wait_row_is 2 "         Question ID: T0A01"
e2e_click 5 5
e2e_wait_at 26 49 "[Hint]"
e2e_wait_at 29 2 "$(e2e_hint_text T0A01 | cut -c1-50)"
e2e_keys x
e2e_wait_row_is 23 "         The Correct Answer is: $(e2e_pool_record T0A01 | sed -n 7p)"
e2e_keys x
e2e_wait_row 20 "                   Enter the Question ID: "
e2e_keys Enter
wait_menu

# --- Goodbye. ---------------------------------------------------------------
e2e_keys Escape
e2e_wait_row_is 21 "                           Thanks for playing.  Have a real nice day."
status=$(e2e_wait_exit 10) || exit 1
[[ "$status" == 0 ]] || e2e_fail "exit status $status"
e2e_expect_restored
exit 0
