#!/usr/bin/env bash
# One run through every screen with keys and the mouse, comparing the key
# rows with the documented texts: the menu (layout, colours, title; mouse
# rows and extended keys dispatching); help; a random T4 drill using every
# drill key and click; a sequential T4 drill from question 22 after invalid
# start entries, to its completion; a practice test stopped at once; study
# mode with line input and look-ups checked against the pool and hints.txt;
# the goodbye line and the exit.
source "$(dirname "$0")/lib.sh"
E2E_TIMEOUT=20
DRILL_BAR=" [ A ][ B ][ C ][ D ] [Stop Drill]"
RULE99=$(printf '─%.0s' $(seq 99))
T4_NAME="Module T4 - Amateur Radio Practices and Station Set-up"

wait_menu() {
    e2e_wait_row_is 21 "$E2E_MENU_PROMPT"
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

expect_drill_frame() {  # rules, ID line, bar, run time and Hint prompt
    local row
    for row in 1 3 24 26; do
        [[ "$(e2e_cells_in "$E2E_SHOT" $row 2 99)" == "$RULE99" ]] || e2e_fail "row $row: no rule from column 2"
    done
    [[ "$(e2e_cells_in "$E2E_SHOT" 2 2 79)" == "Question ID: $ID  $T4_NAME"* ]] || e2e_fail "row 2: '$(e2e_row_in "$E2E_SHOT" 2)'"
    [[ "$(e2e_row_in "$E2E_SHOT" 25)" == "$DRILL_BAR"* &&
        "$(e2e_cells_in "$E2E_SHOT" 25 50 10)$(e2e_cells_in "$E2E_SHOT" 25 80 4)" == "Run Time: Hint" ]] ||
        e2e_fail "row 25: '$(e2e_row_in "$E2E_SHOT" 25)'"
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
indent="         "  # the menu starts at column 10
[[ "$(e2e_row 7)" == "$indent$(printf '─%.0s' $(seq 80))" ]] || e2e_fail "row 7 is not 80 rule characters from column 10"
e2e_expect_row 9 "${indent}1. SUBELEMENT T1 – FCC Rules [6 Exam Questions - 6 Groups]"
e2e_expect_row 10 "${indent}2. SUBELEMENT T2 - Operating Procedures - [3 Exam Questions - 3 Groups]"
e2e_expect_row 12 "${indent}4. SUBELEMENT T4 - Amateur Radio Practices – [2 Exam Questions - 2 Groups]"
e2e_expect_row 17 "${indent}9. SUBELEMENT T9 – Antennas and Feed Lines - [2 Exam Questions - 2 Groups]"
[[ -z "$(e2e_row 20)" ]] || e2e_fail "row 20 should be empty"
for row in 6 8 18; do e2e_expect_colors "$row" 97 44; done
title=$(e2e_tmux display-message -p -t main '#{pane_title}')
[[ "$title" == *Pathwick*v2021.09.17a* ]] || e2e_fail "window title is '$title'"
[[ $(e2e_tmux display-message -p -t main '#{cursor_flag}') == 0 ]] || e2e_fail "the cursor is visible on the menu"

# A right click and the wheel do nothing; extended keys (cursor keys, also
# in application mode, F-keys, Alt+letter) start the T0 drill like "0", and
# so does a left click anywhere on row 8.
e2e_bytes '\033[<2;12;18M\033[<2;12;18m\033[<64;12;18M'
sleep 0.5
e2e_expect_row 21 "$E2E_MENU_PROMPT"
for key in Up Left F1 F12 M-a PPage '\033OA' click; do
    case $key in \\*) e2e_bytes "$key" ;; click) e2e_click 8 40 ;; *) e2e_keys "$key" ;; esac
    e2e_wait_at 21 15 "$E2E_ORDER_PROMPT"
    e2e_expect_at 16 15 "Module T0 – Electrical Safety"
    e2e_keys r
    e2e_wait_at 4 5 "001. "
    e2e_keys s
    wait_menu
done

# --- Help: "?", closed by any key, which goes no further. ------------------
e2e_keys '?'
e2e_wait_for "Welcome the Amateur Radio"
e2e_expect_row 2 "  Welcome the Amateur Radio Technician Exam Practice Program.  This program will help you to"
[[ -z "$(e2e_row 1)" ]] || e2e_fail "help row 1 should be empty"
e2e_expect_row 23 "  Class Exam, effective 7/01/2018-6/30/2022"
e2e_expect_row 33 " A=answer A, B=answer B, C=answer C, D=answer D"
e2e_expect_row 36 " If the Hint prompt is showing pressing the H key will Display Hint."
e2e_keys Up
wait_menu
sleep 0.5
e2e_hides "[R]andomly" || e2e_fail "the key that closed the help page reached the menu"

# --- Random T4 drill: every key and click. ----------------------------------
e2e_keys 4
e2e_wait_at 21 15 "$E2E_ORDER_PROMPT"
e2e_expect_at 16 15 "Module T4 - Amateur Radio Practices and Station Set-up: [2 Questions,"
e2e_expect_at 17 15 "2 Groups] [24 Questions]"
e2e_expect_colors 21 97 44
e2e_keys x  # neither R nor S: still asking
sleep 0.3
e2e_expect_at 21 15 "$E2E_ORDER_PROMPT"
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

# Answers by key in either case, then by label clicks; wrong ones dismissed
# by a key, then by a click.
n=2
for answer in b C d A click:A click:B click:C click:D; do
    question "$n"
    if [[ $answer == click:* ]]; then
        e2e_click 25 "$(e2e_label_column "${answer#click:}")"
        answered "${answer#click:}" click
    else
        e2e_keys "$answer"
        answered "${answer^^}"
    fi
    n=$((n + 1))
done

# Stop Drill by click.
question "$n"
e2e_click 25 28
wait_menu

# --- Sequential T4 drill from question 22. ----------------------------------
e2e_click 12 70
e2e_wait_at 21 15 "$E2E_ORDER_PROMPT"
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

# --- Practice test, by a click on its menu row, stopped at once. ----------
e2e_click 18 5
e2e_wait_row_is 25 " [ A ][ B ][ C ][ D ]   Next  Prev            Review       Stop Exam"
e2e_wait_at 3 1 "  1. "
e2e_expect_colors 25 30 47
e2e_click 25 65   # Stop Exam
e2e_wait_at 25 26 "Are you sure you want to end the Exam? [Y] or [N]"
e2e_keys Y
e2e_wait_at 25 35 "Press any key to end the exam."
e2e_expect_at 21 39 "Skipped Questions: 35 "
e2e_expect_at 23 39 "      Your Status: Fail"
e2e_click 1 1
wait_menu

# --- Study mode, by a click on its row. -------------------------------------
PROMPT="                   Enter the Question ID:"
expect_cursor() {  # VISIBLE ROW COLUMN
    local actual
    actual=$(e2e_tmux display-message -p -t main '#{cursor_flag} #{cursor_y} #{cursor_x}')
    [[ "$actual" == "$1 $(($2 - 1)) $(($3 - 1))" ]] || e2e_fail "cursor (visible, row, column from 0) is '$actual'"
}

# look_up ID ID_LINE: types ID in lower case (it is upper-cased) and walks
# the three keys, comparing the screen with the pool file and hints.txt.
look_up() {
    local id=$1 record row choice hint
    mapfile -t record < <(e2e_pool_record "$id" | iconv -f CP1252 -t UTF-8)
    ((${#record[@]} == 7)) || e2e_fail "no pool record for $id"
    e2e_wait_row_is 20 "$PROMPT"
    sleep 0.2
    expect_cursor 1 20 43
    e2e_text "${id,,}x"
    e2e_wait_row_is 20 "$PROMPT ${id,,}x"
    e2e_keys BSpace
    e2e_wait_row_is 20 "$PROMPT ${id,,}"
    expect_cursor 1 20 48
    e2e_keys Enter
    e2e_wait_row_is 2 "         Question ID: $2"
    e2e_snap
    [[ -z "$(e2e_row_in "$E2E_SHOT" 3)" ]] || e2e_fail "row 3 should be blank"
    [[ "$(e2e_row_in "$E2E_SHOT" 4)" == "         ${record[1]:0:40}"* ]] || e2e_fail "row 4 is not the question"
    row=5  # the choices follow in stored order, each after nine blanks
    for choice in "${record[@]:2:4}"; do
        while ((row <= 24)) && [[ "$(e2e_row_in "$E2E_SHOT" "$row")" != "         ${choice% }" ]]; do row=$((row + 1)); done
        ((row <= 24)) || e2e_fail "choice '$choice' of $id not found in stored order"
    done
    [[ -z "$(e2e_row_in "$E2E_SHOT" 26)" ]] || e2e_fail "the hint rule is there before the first key"
    [[ $(e2e_tmux display-message -p -t main '#{cursor_flag}') == 0 ]] || e2e_fail "the cursor stays visible"
    e2e_keys Space
    e2e_wait_at 26 1 "────────────────────────────────────────────────[Hint]────"
    hint=$(e2e_hint_text "$id")
    [[ -n "$hint" ]] || e2e_fail "hints.txt has no hint for $id"
    e2e_wait_at 29 2 "${hint:0:50}"
    [[ -z "$(e2e_row 23)" ]] || e2e_fail "row 23 is not blank before the second key"
    e2e_keys x
    e2e_wait_row_is 23 "         The Correct Answer is: ${record[6]}"
    e2e_expect_at 2 10 "Question ID: $2"
    e2e_keys Enter
    e2e_wait_row_is 20 "$PROMPT"
}

e2e_click 19 1
e2e_wait_at 15 16 'In this mode you can enter in a specific question ID such as, "T9A04"'
e2e_expect_row 16 "               and it will display that specific quetion. Tapping any key will display"
e2e_expect_row 18 "               study guide or in a teaching scenario.  Press any key to continue."
e2e_keys q  # any key, even Q, only continues here
look_up T6C02 "T6C02 Figure:T1"
look_up T9A04 "T9A04"
for entry in T9A99 "T6C02 Figure:T1"; do
    e2e_text "$entry"
    e2e_keys Enter
    e2e_wait_row_is 1 "Question not found.  Press any key to continue or [Q] to quit."
    [[ "$entry" == T9A99 ]] && e2e_keys x && e2e_wait_row_is 20 "$PROMPT"
done
e2e_keys Q
wait_menu

# --- Goodbye. ---------------------------------------------------------------
e2e_keys Escape
e2e_wait_row_is 21 "                           Thanks for playing.  Have a real nice day."
e2e_expect_colors 21 97 44
e2e_exits_clean 10
exit 0
