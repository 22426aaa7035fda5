#!/usr/bin/env bash
# Review with the real binary and faked dates (faketime): the exam date given
# on the command line is kept and shown beside today's chance; a round's
# answers are rows of mode review; eleven days before the exam every question
# answered is due, a day later without the date at least those answered wrong;
# --exam-date none clears the date. (What --progress lists next, and the
# review mode of the rows: tests/progress and tests/app.)
source "$(dirname "$0")/lib.sh"
BINARY=$(realpath "$1")
FILE=$E2E_DIR/progress.sqlite3

# at WHEN ARGUMENTS...: a program for e2e_start that runs the binary at WHEN.
at() {
    local when=$1
    shift
    printf '#!/bin/sh\nexec faketime %q %q --remember=%q %s\n' "$when" "$BINARY" "$FILE" "$*" >"$E2E_DIR/at"
    chmod +x "$E2E_DIR/at"
    echo "$E2E_DIR/at"
}
due_shown() { e2e_wait_for "R. Review – $1 questions due"; }
# answered N: question N answered, the next one or the wrong-answer lines shown.
answered() { e2e_shows "00$(($1 + 1))." || e2e_shows "We will come back"; }

e2e_menu "$(at '2026-12-08 18:00:00' --exam-date 2026-12-19)"
due_shown 0
e2e_wait_for "Chance to pass today: 0 % – on 2026-12-19: 0 %"
e2e_keys r
for answer in 1 2 3; do
    e2e_wait_for "Question ID:"
    e2e_at 4 5 "00$answer." || e2e_fail "question $answer not numbered"
    e2e_keys a
    e2e_until "answer $answer not taken" answered "$answer"
    e2e_shows "We will come back" && e2e_keys x
done
e2e_wait_for "004."
e2e_keys Escape
due_shown 3
wrong=$(sqlite3 "$FILE" "SELECT count(*) FROM answers WHERE correct = 0")
e2e_keys Escape
e2e_exits

e2e_menu "$(at '2026-12-09 18:00:00' --exam-date none)"
e2e_wait_for "Chance to pass today: "
e2e_shows " – on " && e2e_fail "the exam date is still shown"
due=$(e2e_screen | sed -n 's/.*R\. Review – \([0-9]*\) question.*/\1/p')
[[ -n $due ]] && ((wrong <= due && due <= 3)) || e2e_fail "$due due a day later, of three answered, $wrong of them wrong"
e2e_keys Escape
e2e_exits
