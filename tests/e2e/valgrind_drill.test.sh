#!/usr/bin/env bash
# A short drill under valgrind: three questions (one wrong answer), a hint,
# Stop Drill, then Esc and the goodbye line. Any memory error or definite
# leak makes valgrind end with status 99, which fails the test.
source "$(dirname "$0")/lib.sh"
E2E_TIMEOUT=40
command -v valgrind >/dev/null || e2e_fail "valgrind is not installed (scripts/install-deps)"
LOG="$E2E_DIR/valgrind.log"
E2E_WRAPPER="valgrind --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite --log-file='$LOG'"
e2e_start "$1" 100 43 "$E2E_REPO_ROOT"
e2e_wait_for "Pick the sub element" 60

e2e_keys 9
e2e_wait_for "[R]andomly or in [S]equence?"
e2e_keys r
e2e_wait_at 4 5 "001. "
e2e_keys Space
e2e_wait_at 25 90 "Peek On"
e2e_snap
letter=$(e2e_peek_letter_in "$E2E_SHOT")
[[ -n "$letter" ]] || e2e_fail "no peek marker"
wrong=A; [[ "$letter" == A ]] && wrong=B
e2e_keys "$wrong"
e2e_wait_at 21 29 "Incorrect Answer, the correct answer is $letter"
e2e_keys x
e2e_wait_at 4 5 "002. "
e2e_snap
id=$(e2e_cells_in "$E2E_SHOT" 2 15 5)
e2e_keys h
e2e_wait_at 27 2 "The Correct Answer is: "
hint=$(e2e_hint_text "$id")
e2e_wait_at 29 2 "${hint:0:40}"
e2e_snap
e2e_keys "$(e2e_peek_letter_in "$E2E_SHOT")"
e2e_wait_at 4 5 "003. "
e2e_snap
e2e_click 25 "$(e2e_label_column "$(e2e_peek_letter_in "$E2E_SHOT")")"
e2e_wait_at 4 5 "004. "
e2e_keys s
e2e_wait_for "Pick the sub element"
e2e_keys Escape
e2e_wait_for "Thanks for playing."
# Five seconds of goodbye, then valgrind's leak check.
status=$(e2e_wait_exit 60) || exit 1
if [[ "$status" != 0 ]]; then
    e2e_log "valgrind log:"
    cat "$LOG" >&2
    e2e_fail "exit status $status under valgrind"
fi
grep -q "ERROR SUMMARY: 0 errors" "$LOG" || { cat "$LOG" >&2; e2e_fail "valgrind reports errors"; }
exit 0
