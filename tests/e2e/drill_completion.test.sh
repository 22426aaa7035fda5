#!/usr/bin/env bash
# A whole random T9 drill (23 questions) answered from the peek marker "*",
# with the run time ticking; one wrong answer, which must come back later
# under a higher number; answers by key in either case and by label click.
# Then the completion screen, N, the goodbye line and a clean exit.
source "$(dirname "$0")/lib.sh"
E2E_TIMEOUT=20
e2e_menu "$1" 100 43 "$E2E_REPO_ROOT"
e2e_keys 9
e2e_wait_at 21 15 "$E2E_ORDER_PROMPT"
e2e_expect_at 16 15 "Module T9 - Antennas and Feed Lines: [2 Exam Questions - 2 Groups]"
e2e_expect_at 17 15 "[23 Questions]"
e2e_keys r
e2e_wait_at 25 50 "Run Time: 00:00:"
e2e_expect_at 2 22 "Module T9 - Antennas and Feed Lines"
e2e_expect_at 25 90 "Peek Off"
before=$(e2e_cells 25 50 18)
sleep 1.3
after=$(e2e_cells 25 50 18)
[[ "$after" =~ ^Run\ Time:\ [0-9]{2}:[0-9]{2}:[0-9]{2}$ && "$before" != "$after" ]] ||
    e2e_fail "the run time did not tick: '$before', then '$after'"
e2e_keys Space
e2e_wait_at 25 90 "Peek On"

shown=0 wrong_id="" came_back=0
while ((shown < 24)); do
    shown=$((shown + 1))
    number=$(printf '%03d' "$shown")
    e2e_wait_at 4 5 "$number. "
    e2e_snap
    [[ "$(e2e_cells_in "$E2E_SHOT" 4 5 5)" == "$number. " ]] || e2e_fail "question $number went away"
    letter=$(e2e_peek_letter_in "$E2E_SHOT")
    [[ -n "$letter" ]] || e2e_fail "question $number: no single peek marker on row 23"
    id=$(e2e_cells_in "$E2E_SHOT" 2 15 5)
    [[ "$id" =~ ^T9[AB][0-9]{2}$ ]] || e2e_fail "question $number has ID '$id'"
    [[ "$id" == "$wrong_id" ]] && came_back=1
    if ((shown == 2)); then
        wrong_id=$id
        e2e_keys "$([[ $letter == A ]] && echo B || echo A)"
        e2e_wait_at 21 29 "Incorrect Answer, the correct answer is $letter"
        e2e_keys x
    elif ((shown == 4)); then
        e2e_click 25 "$(e2e_label_column "$letter")"
    elif ((shown % 2)); then
        e2e_keys "${letter,,}"
    else
        e2e_keys "$letter"
    fi
done
((came_back)) || e2e_fail "the wrongly answered $wrong_id never came back"

e2e_wait_at 20 17 "You have correctly answered all of the questions in this section."
e2e_expect_at 21 17 "    Would you like to drill on another section? [Y] or [N]o?"
e2e_expect_colors 20 97 44
e2e_keys n
e2e_wait_at 21 28 "Thanks for playing.  Have a real nice day."
e2e_exits_clean 10
exit 0
