#!/usr/bin/env bash
# Ways the program is ended from outside, each prompt (within a second) and,
# for signals, with status 0 and the terminal restored: SIGTERM and SIGHUP
# on the menu, in a practice test and during the goodbye pause (whose keys
# neither shorten it nor reach anything); the pane killed, the tmux server
# killed or the pseudo-terminal closed (also with SIGHUP blocked) mid-drill.
# Also: the program does not spin while it waits.
source "$(dirname "$0")/lib.sh"
BINARY=$1

signal_ends_it() {  # SIGNAL WHERE
    kill -s "$1" "$E2E_PID"
    e2e_exits_clean 1 "after SIG$1 $2"
    e2e_expect_gone 1
    e2e_stop
}

for signal in TERM HUP; do
    e2e_menu "$BINARY"
    signal_ends_it "$signal" "on the menu"
    e2e_menu "$BINARY"
    e2e_keys Escape
    e2e_wait_for "Thanks for playing."
    signal_ends_it "$signal" "during the goodbye pause"
done

e2e_menu "$BINARY"
e2e_exam
e2e_keys r
e2e_wait_for "Current Test Status:"
signal_ends_it TERM "on a page with the review panel"
e2e_menu "$BINARY"
e2e_exam
e2e_keys s
e2e_wait_for "Are you sure you want to end the Exam? [Y] or [N]"
signal_ends_it HUP "at the end-of-exam question"
e2e_menu "$BINARY"
e2e_exam
e2e_keys s
e2e_wait_for "Are you sure you want to end the Exam?"
e2e_keys y
e2e_wait_for "Press any key to end the exam."
signal_ends_it INT "on the result screen"

# Esc: the goodbye line stays five seconds whatever is typed, then exit 0.
e2e_menu "$BINARY"
e2e_keys Escape
e2e_wait_for "Thanks for playing."
e2e_keys x Enter Escape 7
sleep 3
e2e_shows "Thanks for playing." || e2e_fail "a key cut the goodbye pause short"
e2e_running || e2e_fail "the program ended before the five seconds were up"
e2e_exits_clean 4
e2e_expect_gone 1
e2e_stop

# Clock ticks are 10 ms; a spinning process would use about 200 in 2 s.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$E2E_PID/stat"; }
for close in "kill-pane -t main" kill-server; do
    e2e_menu "$BINARY"
    e2e_keys 0
    e2e_wait_at 21 15 "$E2E_ORDER_PROMPT"
    e2e_keys r
    e2e_wait_for "Run Time: 00:00:01"
    before=$(cpu_ticks)
    sleep 2
    ((before + 50 > $(cpu_ticks))) || e2e_fail "used $(($(cpu_ticks) - before)) ticks of CPU in 2 s"
    # shellcheck disable=SC2086
    e2e_tmux $close
    e2e_expect_gone 1
    E2E_PID=""
done

# The pseudo-terminal closed by the program driving it: only the tty's
# hang-up tells the program when SIGHUP is blocked.
command -v python3 >/dev/null || e2e_fail "python3 is needed to drive a pseudo-terminal"
for mode in plain sighup-blocked; do
    python3 - "$BINARY" "$mode" <<'PYTHON' || e2e_fail "closing the pseudo-terminal ($mode)"
import fcntl, os, pty, select, signal, struct, sys, termios, time

binary, mode = sys.argv[1], sys.argv[2]
pid, fd = pty.fork()
if pid == 0:
    try:
        fcntl.ioctl(0, termios.TIOCSWINSZ, struct.pack("HHHH", 43, 100, 0, 0))
        if mode == "sighup-blocked":
            signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGHUP})
        env = dict(os.environ, TERM="xterm-256color", LANG="C.UTF-8", LC_ALL="C.UTF-8")
        os.execve(binary, [binary], env)
    finally:
        os._exit(127)

output = bytearray()

def give_up(message):
    os.kill(pid, signal.SIGKILL)
    os.waitpid(pid, 0)
    sys.exit(f"e2e: {mode}: {message}")

def read_until(marker=None, limit=10.0):
    deadline = time.monotonic() + limit
    while marker is None or marker not in output:
        left = deadline - time.monotonic()
        if left <= 0:
            if marker is None:
                return
            give_up(f"{marker!r} did not appear")
        if select.select([fd], [], [], left)[0]:
            output.extend(os.read(fd, 65536))

read_until(b"(0-9, P, ?)")
os.write(fd, b"0")
read_until(b"]equence?")  # the S is highlighted: its colours come between
os.write(fd, b"r")
read_until(b"Stop Drill")
read_until(None, 1.2)  # the question waits, the run time ticking
os.close(fd)
closed = time.monotonic()
while time.monotonic() - closed < 1.0:
    if os.waitpid(pid, os.WNOHANG)[0]:
        sys.exit(0)
    time.sleep(0.01)
give_up("the program was still running 1 s after its terminal was closed")
PYTHON
done
exit 0
