#!/usr/bin/env bash
# A short drill under valgrind (a wrong answer, a hint, a click), Stop Drill,
# Esc and the goodbye line. Any memory error or definite
# leak makes valgrind end with status 99, which fails the test.
source "$(dirname "$0")/lib.sh"
E2E_TIMEOUT=40
command -v valgrind >/dev/null || e2e_fail "valgrind is not installed (scripts/install-deps)"
LOG="$E2E_DIR/valgrind.log"
SUPPRESSIONS="$(cd "$(dirname "$0")" && pwd)/system-libraries.supp"
E2E_WRAPPER="valgrind --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite --suppressions='$SUPPRESSIONS' --log-file='$LOG'"
e2e_menu "$1" 100 43 "$E2E_REPO_ROOT" 60
e2e_drill 9
e2e_answer_drill
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
