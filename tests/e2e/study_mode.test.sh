#!/usr/bin/env bash
# Study mode as a user meets it: S, the introduction, then look-ups by ID.
# A found question shows its ID line and the question with its choices as
# the pool stores them; the next three keys show the rule with "[Hint]" and
# the hint, then the stored answer on row 23, then the prompt again. An
# unknown ID gives the not-found line; Q there returns to the menu.
source "$(dirname "$0")/lib.sh"
E2E_TIMEOUT=20
PROMPT="                   Enter the Question ID: "

# look_up ID ID_LINE: types ID at the prompt and walks the three keys,
# comparing what shows with the pool file and hints.txt.
look_up() {
    local id=$1 id_line=$2 record question first_line answer hint row choice
    mapfile -t record < <(e2e_pool_record "$id" | iconv -f CP1252 -t UTF-8)
    ((${#record[@]} == 7)) || e2e_fail "no pool record for $id"
    e2e_wait_row 20 "$PROMPT"
    e2e_text "${id,,}"  # lower case: the ID is upper-cased before the search
    e2e_keys Enter
    e2e_wait_row 2 "         Question ID: $id_line"
    e2e_snap
    [[ "$(e2e_row_in "$E2E_SHOT" 2)" == "         Question ID: $id_line" ]] ||
        e2e_fail "ID line is '$(e2e_row_in "$E2E_SHOT" 2)'"
    [[ -z "$(e2e_row_in "$E2E_SHOT" 3)" ]] || e2e_fail "row 3 should be blank"
    question=${record[1]}
    first_line=$(e2e_row_in "$E2E_SHOT" 4)
    [[ "$first_line" == "         ${question:0:40}"* ]] || e2e_fail "row 4 is '$first_line', expected the question '$question'"
    # The choices follow in stored order, each after nine blanks.
    row=5
    for choice in "${record[@]:2:4}"; do
        choice=${choice% }
        while ((row <= 24)) && [[ "$(e2e_row_in "$E2E_SHOT" "$row")" != "         $choice" ]]; do row=$((row + 1)); done
        ((row <= 24)) || e2e_fail "choice '$choice' of $id not found in stored order"
    done
    [[ -z "$(e2e_row_in "$E2E_SHOT" 26)" ]] || e2e_fail "the hint rule is there before the first key"

    e2e_keys Space
    e2e_wait_at 26 49 "[Hint]"
    e2e_expect_at 26 1 "────────────────────────────────────────────────[Hint]────"
    hint=$(e2e_hint_text "$id")
    [[ -n "$hint" ]] || e2e_fail "hints.txt has no hint for $id"
    e2e_wait_at 29 2 "${hint:0:50}"
    [[ -z "$(e2e_row 23)" ]] || e2e_fail "row 23 is not blank before the second key"

    answer=${record[6]}
    e2e_keys x
    e2e_wait_row 23 "         The Correct Answer is: $answer"
    [[ "$(e2e_row 23)" == "         The Correct Answer is: $answer" ]] || e2e_fail "row 23 is '$(e2e_row 23)'"
    e2e_expect_at 2 10 "Question ID: $id_line"

    e2e_keys Enter
    e2e_wait_row 20 "$PROMPT"
    e2e_wait_gone "The Correct Answer is:"
}

e2e_start "$1" 100 43 "$E2E_REPO_ROOT"
e2e_wait_for "Pick the sub element"
e2e_keys S
e2e_wait_at 15 16 'In this mode you can enter in a specific question ID such as, "T9A04"'
e2e_expect_row 16 "               and it will display that specific quetion. Tapping any key will display"
e2e_expect_row 17 "               the correct answer.  This is a handy mode for studying directy from a"
e2e_expect_row 18 "               study guide or in a teaching scenario.  Press any key to continue."
e2e_keys q  # any key, even Q, only continues here
look_up T6C02 "T6C02 Figure:T1"
look_up T9A04 "T9A04"

e2e_text "T9A99"
e2e_keys Enter
e2e_wait_row 1 "Question not found.  Press any key to continue or [Q] to quit."
e2e_keys x
e2e_wait_row 20 "$PROMPT"
e2e_text "T6C02 Figure:T1"
e2e_keys Enter
e2e_wait_row 1 "Question not found.  Press any key to continue or [Q] to quit."
e2e_keys Q
e2e_wait_for "Pick the sub element"
e2e_expect_row 19 "         S. Study Mode - review specific questions"
exit 0
