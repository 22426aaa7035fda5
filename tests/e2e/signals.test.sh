#!/usr/bin/env bash
# SIGTERM and SIGHUP end the program within a second, with the terminal
# restored; closing the pane leaves no process behind; the program does not
# spin while it waits on the menu.
source "$(dirname "$0")/lib.sh"
BINARY=$1
for signal in TERM HUP; do
    e2e_start "$BINARY"
    e2e_wait_for "Pick the sub element"
    kill -s "$signal" "$E2E_PID"
    status=$(e2e_wait_exit 1)
    [[ "$status" == 0 ]] || e2e_fail "exit status $status after SIG$signal"
    e2e_expect_gone 1
    e2e_expect_restored
    e2e_stop
done

e2e_start "$BINARY"
e2e_wait_for "Pick the sub element"
before=$(e2e_cpu_ticks)
sleep 2
after=$(e2e_cpu_ticks)
# Clock ticks are 10 ms; a spinning process would use about 200.
((after - before < 50)) || e2e_fail "used $((after - before)) ticks of CPU in 2 s on the menu"
e2e_tmux kill-pane -t main
e2e_expect_gone 2
exit 0
