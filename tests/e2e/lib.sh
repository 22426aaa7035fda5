# Helpers for the end-to-end tests: the real binary in a detached tmux session
# on a private server (100 x 43, xterm-256color, UTF-8), driven by keys and SGR
# mouse reports, its screen read back. Waits give up after E2E_TIMEOUT seconds;
# e2e_fail ends the test, printing the screen.
set -uo pipefail
E2E_SOCKET="pathwick-e2e-$$"
E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/pathwick-e2e.XXXXXX")
E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_TIMEOUT=${E2E_TIMEOUT:-15}
E2E_PID="" E2E_XVFB=""
E2E_MENU="Pick the sub element you want to practice (0-9, P, ?)"

e2e_tmux() { tmux -L "$E2E_SOCKET" -f "$E2E_DIR/tmux.conf" "$@"; }
e2e_screen() { e2e_tmux capture-pane -p "$@" -t main; }
e2e_fail() { echo "e2e: FAIL: $*" >&2; e2e_screen >&2 2>/dev/null; exit 1; }
e2e_cleanup() {
    e2e_tmux kill-server 2>/dev/null
    [[ -n $E2E_XVFB ]] && kill "$E2E_XVFB"
    [[ -n $E2E_PID ]] && sleep 0.5 && kill -KILL "$E2E_PID" 2>/dev/null
    rm -rf "$E2E_DIR"
}
trap e2e_cleanup EXIT

# e2e_start BINARY [FOLDER] [COLUMNS ROWS]: runs BINARY (after the words of
# E2E_WRAPPER, which must exec it) in FOLDER; the shell around it then prints
# "[exit STATUS]". E2E_PID is the program's process id. Ends an earlier session.
e2e_start() {
    local binary shell
    e2e_tmux kill-server 2>/dev/null
    binary=$(realpath "$1") || e2e_fail "no binary $1"
    printf 'set -g %s\n' "status off" "default-terminal xterm-256color" "escape-time 0" >"$E2E_DIR/tmux.conf"
    # The server just killed may still be going: it refuses a new session.
    e2e_until "tmux did not start" e2e_tmux new-session -d -s main -x "${3:-100}" -y "${4:-43}" -c "${2:-$E2E_DIR}" \
        "export LANG=C.UTF-8 LC_ALL=C.UTF-8; ${E2E_WRAPPER:-} '$binary'; echo \"[exit \$?]\"; exec sleep 600"
    e2e_tmux set-option -t main window-size manual >/dev/null
    shell=$(e2e_tmux display-message -p -t main '#{pane_pid}')
    for _ in {1..100}; do
        E2E_PID=$(ps -o pid= --ppid "$shell" | tr -d ' ') && [[ -n $E2E_PID ]] && return 0
        sleep 0.05
    done
    e2e_fail "the program did not start"
}
e2e_menu() { e2e_start "$@"; e2e_wait_for "$E2E_MENU"; }

e2e_keys() { e2e_tmux send-keys -t main "$@"; }       # tmux key names
e2e_text() { e2e_tmux send-keys -t main -l -- "$1"; } # literal text
e2e_click() {                                         # ROW COLUMN: a left click
    # shellcheck disable=SC2046
    e2e_tmux send-keys -t main -H $(printf '\e[<0;%d;%dM\e[<0;%d;%dm' "$2" "$1" "$2" "$1" | od -An -tx1)
}

# e2e_until WHY COMMAND...: runs COMMAND until it succeeds, or fails with WHY.
e2e_until() {
    local why=$1 tries
    shift
    for ((tries = E2E_TIMEOUT * 10; tries > 0; tries--)); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    e2e_fail "$why"
}
e2e_shows() { e2e_screen | grep -qF -- "$1"; }
e2e_wait_for() { e2e_until "no '$1' on screen" e2e_shows "$1"; }
e2e_at() { # ROW COLUMN TEXT: TEXT stands at (ROW, COLUMN)
    local LC_ALL=C.UTF-8 line
    line=$(e2e_screen | sed -n "$1p")
    [[ "${line:$(($2 - 1)):${#3}}" == "$3" ]]
}
# e2e_peek: the letter over which the drill's peek marker "*" stands on row 23.
e2e_peek() { local row; row=$(e2e_screen | sed -n 23p); row=${row%%\**}; echo "ABCD" | cut -c$(((${#row} + 2) / 5)); }
e2e_wait_at() { e2e_until "no '$3' at ($1,$2)" e2e_at "$@"; }

# e2e_exits [STATUS]: the program ends with STATUS (0), the terminal restored:
# primary screen, cursor shown, mouse reporting off.
e2e_exits() {
    e2e_wait_for "[exit ${1:-0}]"
    [[ $(e2e_tmux display-message -p -t main '#{alternate_on} #{cursor_flag} #{mouse_any_flag}#{mouse_sgr_flag}') == "0 1 00" ]] ||
        e2e_fail "the terminal was not restored"
    e2e_gone
}
e2e_ended() { [[ $(ps -o stat= -p "$E2E_PID") != [^Z]* ]]; } # gone, or a zombie
e2e_gone() { e2e_until "process $E2E_PID still runs" e2e_ended && E2E_PID=""; }

# e2e_xvfb [ARGUMENT...]: starts a private X server (with the arguments) and
# exports its DISPLAY.
e2e_xvfb() {
    local display
    rm -f "$E2E_DIR/display" && mkfifo "$E2E_DIR/display"
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp "$@" 3>"$E2E_DIR/display" 2>/dev/null &
    E2E_XVFB=$!
    # Generous: a loaded machine can take long to start the server.
    read -r -t 30 display <"$E2E_DIR/display" || e2e_fail "Xvfb did not start"
    export DISPLAY=":$display"
}
