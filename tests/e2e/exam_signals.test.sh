#!/usr/bin/env bash
# Signals in the middle of a practice test end the program within a second,
# with status 0 and the terminal restored (primary screen, cursor visible,
# mouse reporting off): SIGTERM on a page with the review panel on, SIGHUP
# while the end-of-exam question waits for Y or N, SIGINT on the result
# screen.
source "$(dirname "$0")/lib.sh"
BINARY=$1

start_exam() {
    e2e_start "$BINARY"
    e2e_wait_for "Pick the sub element"
    e2e_keys p
    e2e_wait_for "Stop Exam"
    e2e_keys a
    e2e_wait_for "  2. "
}

expect_signal_ends_it() {  # SIGNAL WHERE
    kill -s "$1" "$E2E_PID"
    status=$(e2e_wait_exit 1)
    [[ "$status" == 0 ]] || e2e_fail "exit status $status after SIG$1 $2"
    e2e_expect_restored
    e2e_stop
}

start_exam
e2e_keys r
e2e_wait_for "Current Test Status:"
expect_signal_ends_it TERM "on a page with the review panel"

start_exam
e2e_keys s
e2e_wait_for "Are you sure you want to end the Exam? [Y] or [N]"
expect_signal_ends_it HUP "at the end-of-exam question"

start_exam
e2e_keys s
e2e_wait_for "Are you sure you want to end the Exam?"
e2e_keys y
e2e_wait_for "Press any key to end the exam."
expect_signal_ends_it INT "on the result screen"
exit 0
