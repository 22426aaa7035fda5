#!/usr/bin/env bash
# The terminal goes away while a drill question waits for an answer: the
# pane is killed, the whole tmux server is killed, or the pseudo-terminal is
# closed by the program driving it (once as is, and once with SIGHUP blocked
# in the program, so that only the hang-up of the tty itself can tell it).
# Each time the process is gone within a second.
source "$(dirname "$0")/lib.sh"
BINARY=$1

start_drill_question() {
    e2e_start "$BINARY"
    e2e_wait_for "Pick the sub element"
    e2e_keys 0
    e2e_wait_for "[R]andomly or in [S]equence?"
    e2e_keys r
    e2e_wait_for "Stop Drill"
    e2e_wait_for "Run Time: 00:00:01"
}

# ended: the process has exited. Once its shell is gone too it waits, a
# zombie, for whatever reaps orphans here, which may take a while.
ended() { [[ ! -e "/proc/$E2E_PID/stat" ]] || [[ $(awk '{print $3}' "/proc/$E2E_PID/stat" 2>/dev/null) == Z ]]; }

expect_gone_soon() {  # WHAT
    local waited=0
    until ended; do
        ((waited++ < 20)) || e2e_fail "$1: still running after 1 s: $(grep -E 'State|PPid' "/proc/$E2E_PID/status" | tr '\n' ' ')"
        sleep 0.05
    done
    E2E_PID=""
}

start_drill_question
e2e_tmux kill-pane -t main
expect_gone_soon "pane killed"

start_drill_question
e2e_tmux kill-server
expect_gone_soon "tmux server killed"

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

def wait_for(marker, limit=10.0):
    deadline = time.monotonic() + limit
    while marker not in output:
        left = deadline - time.monotonic()
        if left <= 0:
            give_up(f"{marker!r} did not appear")
        if select.select([fd], [], [], left)[0]:
            output.extend(os.read(fd, 65536))

wait_for(b"(0-9, P, ?)")
os.write(fd, b"0")
wait_for(b"]equence?")  # the S is highlighted: its colours come between
os.write(fd, b"r")
wait_for(b"Stop Drill")
deadline = time.monotonic() + 1.2  # the question waits, the run time ticking
while time.monotonic() < deadline:
    if select.select([fd], [], [], max(deadline - time.monotonic(), 0))[0]:
        output.extend(os.read(fd, 65536))
os.close(fd)
closed = time.monotonic()
while time.monotonic() - closed < 1.0:
    done, _ = os.waitpid(pid, os.WNOHANG)
    if done:
        sys.exit(0)
    time.sleep(0.01)
give_up("the program was still running 1 s after its terminal was closed")
PYTHON
done
exit 0
