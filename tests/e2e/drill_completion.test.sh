#!/usr/bin/env bash
# A whole drill of T9 (23 questions) in random order, read off the screen the
# way a user reads it: peek on, the "*" on row 23 names the right letter of
# every question. On the way: one wrong answer (its three lines, and the
# question comes back later under a higher number), H (the answer and the
# hint from hints.txt), an answer by clicking its label, the run time
# ticking. Then the completion screen, N, the goodbye line and a clean exit.
source "$(dirname "$0")/lib.sh"
E2E_TIMEOUT=20
e2e_start "$1" 100 43 "$E2E_REPO_ROOT"
e2e_wait_for "Pick the sub element"
e2e_keys 9
e2e_wait_at 21 15 "Do you want the questions to be presented [R]andomly or in [S]equence?"
e2e_expect_at 16 15 "Module T9 - Antennas and Feed Lines: [2 Exam Questions - 2 Groups]"
e2e_expect_at 17 15 "[23 Questions]"
e2e_keys r
e2e_wait_at 4 5 "001. "
e2e_expect_at 2 2 "Question ID: T9"
e2e_expect_at 2 22 "Module T9 - Antennas and Feed Lines"
e2e_expect_row 25 " [ A ][ B ][ C ][ D ] [Stop Drill]"
e2e_expect_at 25 90 "Peek Off"

# The run time stands at (25,50) and advances while the question waits.
e2e_expect_at 25 50 "Run Time: 00:00:"
before=$(e2e_cells 25 50 18)
sleep 1.3
after=$(e2e_cells 25 50 18)
[[ "$after" =~ ^Run\ Time:\ [0-9]{2}:[0-9]{2}:[0-9]{2}$ ]] || e2e_fail "run time reads '$after'"
[[ "$before" != "$after" ]] || e2e_fail "the run time did not tick: '$before' both times"

e2e_keys Space
e2e_wait_at 25 90 "Peek On"

count=23
done_count=0
shown=0
wrong_id=""
came_back=0
while ((done_count < count)); do
    shown=$((shown + 1))
    number=$(printf '%03d' "$shown")
    e2e_wait_at 4 5 "$number. "
    e2e_snap
    [[ "$(e2e_cells_in "$E2E_SHOT" 4 5 5)" == "$number. " ]] || e2e_fail "question $number went away"
    letter=$(e2e_peek_letter_in "$E2E_SHOT")
    [[ -n "$letter" ]] || e2e_fail "question $number: no single peek marker on row 23"
    id=$(e2e_cells_in "$E2E_SHOT" 2 15 5)
    [[ "$id" =~ ^T9[AB][0-9]{2}$ ]] || e2e_fail "question $number has ID '$id'"
    [[ -n "$wrong_id" && "$id" == "$wrong_id" ]] && came_back=1

    case $shown in
    2)  # A wrong answer: the three lines, then any key goes on.
        wrong=A; [[ "$letter" == A ]] && wrong=B
        e2e_keys "$wrong"
        e2e_wait_at 21 29 "Incorrect Answer, the correct answer is $letter"
        e2e_expect_at 22 29 "We will come back to this question again."
        e2e_expect_at 23 29 "      Press any key to continue.....     "
        wrong_id=$id
        e2e_keys x
        continue
        ;;
    3)  # H: the right letter on row 27 and the hint from row 29.
        e2e_keys h
        e2e_wait_at 27 2 "The Correct Answer is: $letter"
        hint=$(e2e_hint_text "$id")
        [[ -n "$hint" ]] || e2e_fail "hints.txt has no hint for $id"
        e2e_wait_at 29 2 "${hint:0:60}"
        e2e_expect_at 4 5 "$number. "
        e2e_keys "$letter"
        ;;
    4)  # A click on the letter's label on row 25.
        e2e_click 25 "$(e2e_label_column "$letter")"
        ;;
    *)  # Keys, in either case.
        if ((shown % 2)); then e2e_keys "${letter,,}"; else e2e_keys "$letter"; fi
        ;;
    esac
    done_count=$((done_count + 1))
done
((shown == count + 1)) || e2e_fail "$shown questions shown for $count and one wrong answer"
((came_back)) || e2e_fail "the wrongly answered $wrong_id never came back"

e2e_wait_at 20 17 "You have correctly answered all of the questions in this section."
e2e_expect_at 21 17 "    Would you like to drill on another section? [Y] or [N]o?"
e2e_expect_colors 20 97 44
e2e_keys n
e2e_wait_at 21 28 "Thanks for playing.  Have a real nice day."
status=$(e2e_wait_exit 10) || exit 1
[[ "$status" == 0 ]] || e2e_fail "exit status $status"
exit 0
