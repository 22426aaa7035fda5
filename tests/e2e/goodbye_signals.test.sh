#!/usr/bin/env bash
# The five-second goodbye pause: SIGTERM or SIGHUP during it ends the program
# within a second (status 0, terminal restored) instead of after the pause;
# keys typed during it neither shorten it nor reach anything.
source "$(dirname "$0")/lib.sh"
BINARY=$1

for signal in TERM HUP; do
    e2e_start "$BINARY"
    e2e_wait_for "Pick the sub element"
    e2e_keys Escape
    e2e_wait_for "Thanks for playing.  Have a real nice day."
    kill -s "$signal" "$E2E_PID"
    status=$(e2e_wait_exit 1)
    [[ "$status" == 0 ]] || e2e_fail "exit status $status after SIG$signal during the goodbye pause"
    e2e_expect_restored
    e2e_stop
done

e2e_start "$BINARY"
e2e_wait_for "Pick the sub element"
e2e_keys Escape
e2e_wait_for "Thanks for playing."
e2e_keys x Enter Escape 7
sleep 3
e2e_screen | grep -qF "Thanks for playing." || e2e_fail "a key cut the goodbye pause short"
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the program ended before the five seconds were up"
status=$(e2e_wait_exit 4)
[[ "$status" == 0 ]] || e2e_fail "exit status $status"
e2e_expect_restored
exit 0
