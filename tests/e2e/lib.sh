# Helpers for the end-to-end tests: each test runs the real binary in a
# detached tmux session on a private server socket (100 x 43, xterm-256color,
# UTF-8), drives it with keys and raw mouse reports and reads the screen back.
# Usage: source "$(dirname "$0")/lib.sh"; e2e_menu "$1"; ...  e2e_fail exits 1.
set -uo pipefail

E2E_SOCKET="pathwick-e2e-$$-${RANDOM}"
E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/pathwick-e2e.XXXXXX")
E2E_REPO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_PID=""
E2E_TIMEOUT=${E2E_TIMEOUT:-10}
E2E_MENU_PROMPT="                   Pick the sub element you want to practice (0-9, P, ?)"
E2E_ORDER_PROMPT="Do you want the questions to be presented [R]andomly or in [S]equence?"

e2e_tmux() { tmux -L "$E2E_SOCKET" -f "$E2E_DIR/tmux.conf" "$@"; }
e2e_log() { printf 'e2e: %s\n' "$*" >&2; }

e2e_cleanup() {
    local waited=0
    e2e_tmux kill-server >/dev/null 2>&1 || true
    while [[ -n "$E2E_PID" ]] && kill -0 "$E2E_PID" 2>/dev/null && ((waited++ < 20)); do sleep 0.1; done
    if [[ -n "$E2E_PID" ]] && kill -0 "$E2E_PID" 2>/dev/null; then
        e2e_log "process $E2E_PID still running after the test; killing it"
        kill -KILL "$E2E_PID" 2>/dev/null || true
    fi
    rm -rf "$E2E_DIR"
}
trap e2e_cleanup EXIT

e2e_fail() {
    e2e_log "FAIL: $*"
    if e2e_tmux has-session 2>/dev/null; then
        e2e_log "screen at the time of failure:"
        e2e_tmux capture-pane -p -t main >&2 || true
    fi
    exit 1
}

# e2e_start BINARY [COLUMNS ROWS] [WORKDIR]: starts the binary in a new
# session and records its process id in E2E_PID. A shell around it stays
# after the program ends and prints its exit status, so that the state of the
# terminal can still be inspected. E2E_WRAPPER (shell words, e.g. strace or
# valgrind) goes in front of the binary; E2E_PID is then the wrapper's.
e2e_start() {
    local binary=$1 columns=${2:-100} rows=${3:-43} workdir=${4:-$E2E_DIR} shell_pid waited=0
    command -v tmux >/dev/null || e2e_fail "tmux is not installed"
    [[ -x "$binary" ]] || e2e_fail "no binary at $binary"
    binary=$(cd "$(dirname "$binary")" && pwd)/$(basename "$binary")
    printf 'set -g %s\n' "status off" "default-terminal xterm-256color" "escape-time 0" \
        "history-limit 0" >"$E2E_DIR/tmux.conf"
    e2e_tmux new-session -d -s main -x "$columns" -y "$rows" -c "$workdir" \
        "env TERM=xterm-256color LANG=C.UTF-8 LC_ALL=C.UTF-8 ${E2E_WRAPPER:-} '$binary'; echo \"[pathwick exited with \$?]\"; exec sleep 600" ||
        e2e_fail "tmux could not start the session"
    e2e_tmux set-option -t main window-size manual >/dev/null 2>&1 || true
    shell_pid=$(e2e_tmux display-message -p -t main '#{pane_pid}')
    until E2E_PID=$(ps -o pid= --ppid "$shell_pid" | tr -d ' ' | head -n 1); [[ -n "$E2E_PID" ]]; do
        sleep 0.05
        ((++waited >= 100)) && e2e_fail "the program did not start"
    done
    return 0
}

# e2e_menu BINARY [COLUMNS ROWS WORKDIR] [SECONDS]: starts it and waits for the menu.
e2e_menu() {
    e2e_start "$1" "${2:-100}" "${3:-43}" "${4:-$E2E_DIR}"
    e2e_wait_for "Pick the sub element" "${5:-$E2E_TIMEOUT}"
}

e2e_keys() { e2e_tmux send-keys -t main "$@"; }             # tmux key names or text
e2e_text() { e2e_tmux send-keys -t main -l -- "$1"; }       # literal text
e2e_bytes() {                                               # a printf format, raw
    # shellcheck disable=SC2046
    e2e_tmux send-keys -t main -H $(printf "$1" | od -An -v -tx1)
}
e2e_click() { e2e_bytes "\033[<0;$2;$1M\033[<0;$2;$1m"; }  # ROW COLUMN, SGR left click
e2e_resize() { e2e_tmux resize-window -t main -x "$1" -y "$2"; }
e2e_screen() { e2e_tmux capture-pane -p "$@" -t main; }     # -e: with colours
e2e_row() { e2e_screen | sed -n "${1}p" | sed 's/[[:space:]]*$//'; }

# e2e_poll CONDITION... : runs the command until it succeeds or
# E2E_LIMIT seconds pass (then fails with E2E_WHY).
e2e_poll() {
    local waited=0
    until "$@" 2>/dev/null; do
        sleep 0.1
        ((++waited >= ${E2E_LIMIT:-$E2E_TIMEOUT} * 10)) && e2e_fail "$E2E_WHY"
    done
    return 0
}
e2e_shows() { e2e_screen | grep -qF -- "$1"; }
e2e_hides() { ! e2e_shows "$1"; }

# e2e_wait_for / e2e_wait_gone TEXT [SECONDS]: until the pane shows / no longer shows TEXT.
e2e_wait_for() { E2E_LIMIT=${2:-$E2E_TIMEOUT} E2E_WHY="timed out waiting for: $1" e2e_poll e2e_shows "$1"; }
e2e_wait_gone() { E2E_LIMIT=${2:-$E2E_TIMEOUT} E2E_WHY="still showing: $1" e2e_poll e2e_hides "$1"; }

# e2e_expect_row N TEXT: row N starts with TEXT (leading blanks place it).
e2e_expect_row() {
    local actual
    actual=$(e2e_row "$1")
    [[ "$actual" == "$2"* ]] || e2e_fail "row $1 is '$actual', expected it to start with '$2'"
}

# e2e_wait_row_is N TEXT [SECONDS]: until row N is exactly TEXT (trailing blanks aside).
e2e_row_is() { [[ "$(e2e_row "$1")" == "$2" ]]; }
e2e_wait_row_is() { E2E_LIMIT=${3:-$E2E_TIMEOUT} E2E_WHY="timed out waiting for row $1 to read '$2'" e2e_poll e2e_row_is "$1" "$2"; }

# e2e_wait_exit [SECONDS]: waits for the program to end; prints its status.
e2e_wait_exit() {
    local line
    e2e_wait_for "[pathwick exited with " "${1:-$E2E_TIMEOUT}"
    line=$(e2e_screen | grep -o '\[pathwick exited with [0-9]*\]')
    line=${line#\[pathwick exited with }
    echo "${line%\]}"
}

# e2e_expect_gone [SECONDS]: the process has ended (a zombie only waits to be reaped).
e2e_running() { kill -0 "$E2E_PID" 2>/dev/null && [[ "$(awk '{print $3}' "/proc/$E2E_PID/stat" 2>/dev/null)" != Z ]]; }
e2e_ended() { ! e2e_running; }
e2e_expect_gone() { E2E_LIMIT=${1:-5} E2E_WHY="process $E2E_PID is still running" e2e_poll e2e_ended; }

# e2e_expect_restored: the pane is back on the primary screen, cursor
# visible, mouse reporting off.
e2e_expect_restored() {
    local flags
    flags=$(e2e_tmux display-message -p -t main '#{alternate_on} #{cursor_flag} #{mouse_any_flag}#{mouse_standard_flag}#{mouse_sgr_flag}')
    [[ "$flags" == "0 1 000" ]] ||
        e2e_fail "terminal not restored (alternate screen, cursor, mouse flags: $flags)"
}

# e2e_exits_clean [SECONDS] [WHAT]: the program ends with status 0, within
# SECONDS, leaving the terminal restored.
e2e_exits_clean() {
    local status
    status=$(e2e_wait_exit "${1:-$E2E_TIMEOUT}") || exit 1
    [[ "$status" == 0 ]] || e2e_fail "exit status $status ${2:-}"
    e2e_expect_restored
}

# e2e_stop: ends the session (the program gets SIGHUP) and checks it is gone.
e2e_stop() {
    e2e_tmux kill-server >/dev/null 2>&1 || true
    e2e_expect_gone 5
    E2E_PID=""
}

# e2e_expect_colors ROW FG BG: the row's text uses SGR foreground FG and
# background BG (97/44 is white on blue). tmux reports no colour for blanks.
e2e_expect_colors() {
    local line
    line=$(e2e_tmux capture-pane -p -e -S $(($1 - 1)) -E $(($1 - 1)) -t main)
    grep -qE $'\e\\[([0-9;]*;)?'"$2"'(;[0-9;]*)?m' <<<"$line" ||
        e2e_fail "row $1 has no foreground $2: $(cat -v <<<"$line")"
    grep -qE $'\e\\[([0-9;]*;)?'"$3"'(;[0-9;]*)?m' <<<"$line" ||
        e2e_fail "row $1 has no background $3: $(cat -v <<<"$line")"
}

# e2e_snap [SECONDS]: captures the pane into E2E_SHOT once two captures
# 0.15 s apart agree on every row but 25 (the ticking run time), so a screen
# still being drawn is never read. A variable, so that e2e_fail ends the test.
E2E_SHOT=""
e2e_snap() {
    local limit=${1:-$E2E_TIMEOUT} waited=0 first second
    first=$(e2e_screen)
    while :; do
        sleep 0.15
        second=$(e2e_screen)
        [[ "$(sed 25d <<<"$first")" == "$(sed 25d <<<"$second")" ]] && break
        first=$second
        ((++waited * 15 >= limit * 100)) && e2e_fail "the screen did not settle"
    done
    E2E_SHOT=$second
}

e2e_row_in() { sed -n "${2}p" <<<"$1" | sed 's/[[:space:]]*$//'; }  # SCREEN N

# e2e_cells_in SCREEN ROW COLUMN LENGTH: characters (not bytes) from (ROW, COLUMN).
e2e_cells_in() {
    local LC_ALL=C.UTF-8 line
    line=$(printf '%-100s' "$(sed -n "${2}p" <<<"$1")")
    printf '%s' "${line:$(($3 - 1)):$4}"
}
e2e_cells() { e2e_cells_in "$(e2e_screen)" "$@"; }

# e2e_expect_at / e2e_wait_at ROW COLUMN TEXT [SECONDS]: TEXT stands at (ROW, COLUMN).
e2e_at() { local LC_ALL=C.UTF-8; [[ "$(e2e_cells "$1" "$2" "${#3}")" == "$3" ]]; }
e2e_expect_at() { e2e_at "$@" || e2e_fail "at ($1,$2) found '$(e2e_cells "$1" "$2" 20)...', expected '$3'"; }
e2e_wait_at() { E2E_LIMIT=${4:-$E2E_TIMEOUT} E2E_WHY="timed out waiting for '$3' at ($1,$2)" e2e_poll e2e_at "$1" "$2" "$3"; }

# e2e_label_column LETTER: the middle cell of the " A ".." D " answer label.
e2e_label_column() {
    case $1 in A) echo 4 ;; B) echo 9 ;; C) echo 14 ;; D) echo 19 ;; *) e2e_fail "no label $1" ;; esac
}

# e2e_peek_letter_in SCREEN: the letter the drill's peek marker "*" on row
# 23 stands over; empty unless there is exactly one marker.
e2e_peek_letter_in() {
    local letters="" letter
    for letter in A B C D; do
        [[ "$(e2e_cells_in "$1" 23 "$(e2e_label_column $letter)" 1)" == "*" ]] && letters+=$letter
    done
    ((${#letters} == 1)) && printf '%s' "$letters"
    return 0
}

# e2e_drill KEY: starts the drill of that menu key in random order with peek
# on; question 001 is up.
e2e_drill() {
    e2e_keys "$1"
    e2e_wait_at 21 15 "$E2E_ORDER_PROMPT"
    e2e_keys r
    e2e_wait_at 4 5 "001. "
    e2e_keys Space
    e2e_wait_at 25 90 "Peek On"
}

# e2e_answer_drill: with peek on, answers question 001 wrongly (its three
# lines, a key), 002 rightly by key, 003 after H rightly by a click.
e2e_answer_drill() {
    local letter wrong
    e2e_snap
    letter=$(e2e_peek_letter_in "$E2E_SHOT")
    [[ -n "$letter" ]] || e2e_fail "no peek marker"
    wrong=A; [[ "$letter" == A ]] && wrong=B
    e2e_keys "$wrong"
    e2e_wait_at 21 29 "Incorrect Answer, the correct answer is $letter"
    e2e_keys x
    e2e_wait_at 4 5 "002. "
    e2e_snap
    e2e_keys "$(e2e_peek_letter_in "$E2E_SHOT")"
    e2e_wait_at 4 5 "003. "
    e2e_keys h
    e2e_wait_at 27 2 "The Correct Answer is: "
    e2e_snap
    e2e_click 25 "$(e2e_label_column "$(e2e_peek_letter_in "$E2E_SHOT")")"
    e2e_wait_at 4 5 "004. "
}

# e2e_exam: starts a practice test and answers question 1 with A.
e2e_exam() {
    e2e_keys p
    e2e_wait_at 3 1 "  1. "
    e2e_keys a
    e2e_wait_at 3 1 "  2. "
}

# e2e_pool_record ID: the seven lines of a question in the pool file (ID
# field, question, choices A to D, key letter), Windows-1252.
e2e_pool_record() { grep -a -m1 -A6 "^$1\( \|$\)" "$E2E_REPO_ROOT/data/pool/${1:0:2}.txt"; }

# e2e_hint_text ID: the hint that the repository's hints.txt holds for ID.
e2e_hint_text() { grep -a -m1 "^$1: " "$E2E_REPO_ROOT/hints.txt" | sed "s/^$1: //; s/\r$//"; }
