# Helpers for the end-to-end tests: each test runs the real binary in a
# detached tmux session of its own (private server socket), 100 x 43 cells,
# TERM=xterm-256color and a UTF-8 locale, drives it with keys and raw mouse
# reports and reads the screen back with capture-pane.
#
# Usage in a test:   source "$(dirname "$0")/lib.sh"; e2e_start "$1"; ...
# A test exits 0 when it passes and non-zero when it fails; e2e_fail exits 1.
set -uo pipefail

E2E_SOCKET="pathwick-e2e-$$-${RANDOM}"
E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/pathwick-e2e.XXXXXX")
E2E_PID=""
E2E_TIMEOUT=${E2E_TIMEOUT:-10}

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
# session and records its process id. A small shell around it stays after
# the program ends and prints its exit status, so that the state the program
# left the terminal in can be inspected.
# E2E_WRAPPER, when set, is a command line (shell words) put in front of the
# binary, e.g. "strace -f -o log" or "valgrind --log-file=log"; the recorded
# process id is then the wrapper's.
e2e_start() {
    local binary=$1 columns=${2:-100} rows=${3:-43} workdir=${4:-$E2E_DIR} shell_pid waited=0
    command -v tmux >/dev/null || e2e_fail "tmux is not installed"
    [[ -x "$binary" ]] || e2e_fail "no binary at $binary"
    binary=$(cd "$(dirname "$binary")" && pwd)/$(basename "$binary")
    cat >"$E2E_DIR/tmux.conf" <<CONF
set -g status off
set -g default-terminal xterm-256color
set -g escape-time 0
set -g history-limit 0
CONF
    e2e_tmux new-session -d -s main -x "$columns" -y "$rows" -c "$workdir" \
        "env TERM=xterm-256color LANG=C.UTF-8 LC_ALL=C.UTF-8 ${E2E_WRAPPER:-} '$binary'; echo \"[pathwick exited with \$?]\"; exec sleep 600" ||
        e2e_fail "tmux could not start the session"
    e2e_tmux set-option -t main window-size manual >/dev/null 2>&1 || true
    shell_pid=$(e2e_tmux display-message -p -t main '#{pane_pid}')
    while [[ -z "$E2E_PID" ]]; do
        E2E_PID=$(ps -o pid= --ppid "$shell_pid" | tr -d ' ' | head -n 1)
        [[ -n "$E2E_PID" ]] && break
        sleep 0.05
        waited=$((waited + 1))
        ((waited >= 100)) && e2e_fail "the program did not start"
    done
    return 0
}

# e2e_keys KEY...: tmux key names (Enter, Escape, Up, F1, M-a) or text.
e2e_keys() { e2e_tmux send-keys -t main "$@"; }

# e2e_text TEXT: types the text literally.
e2e_text() { e2e_tmux send-keys -t main -l -- "$1"; }

# e2e_bytes STRING: sends the bytes of a printf format string as they are.
e2e_bytes() {
    local hex
    hex=$(printf "$1" | od -An -v -tx1)
    # shellcheck disable=SC2086
    e2e_tmux send-keys -t main -H $hex
}

# e2e_click ROW COLUMN: a left press and release as SGR mouse reports.
e2e_click() { e2e_bytes "\033[<0;$2;$1M\033[<0;$2;$1m"; }

e2e_resize() { e2e_tmux resize-window -t main -x "$1" -y "$2"; }

# e2e_screen [-e]: the pane as text (-e: with colour escapes).
e2e_screen() { e2e_tmux capture-pane -p "$@" -t main; }

# e2e_row N: row N (1-based) of the pane, trailing blanks removed.
e2e_row() { e2e_screen | sed -n "${1}p" | sed 's/[[:space:]]*$//'; }

# e2e_wait_for TEXT [SECONDS]: waits until the pane shows TEXT.
e2e_wait_for() {
    local text=$1 limit=${2:-$E2E_TIMEOUT} waited=0
    while ! e2e_screen 2>/dev/null | grep -qF -- "$text"; do
        sleep 0.1
        waited=$((waited + 1))
        ((waited >= limit * 10)) && e2e_fail "timed out waiting for: $text"
    done
    return 0
}

# e2e_wait_gone TEXT [SECONDS]: waits until the pane no longer shows TEXT.
e2e_wait_gone() {
    local text=$1 limit=${2:-$E2E_TIMEOUT} waited=0
    while e2e_screen 2>/dev/null | grep -qF -- "$text"; do
        sleep 0.1
        waited=$((waited + 1))
        ((waited >= limit * 10)) && e2e_fail "still showing: $text"
    done
    return 0
}

# e2e_expect_row N TEXT: row N starts with TEXT at column 1 (TEXT may begin
# with blanks to place it at a column).
e2e_expect_row() {
    local actual
    actual=$(e2e_row "$1")
    [[ "$actual" == "$2"* ]] || e2e_fail "row $1 is '$actual', expected it to start with '$2'"
}

# e2e_wait_exit [SECONDS]: waits for the program to end; prints its status.
e2e_wait_exit() {
    local limit=${1:-$E2E_TIMEOUT} line
    e2e_wait_for "[pathwick exited with " "$limit"
    line=$(e2e_screen | grep -o '\[pathwick exited with [0-9]*\]')
    line=${line#\[pathwick exited with }
    echo "${line%\]}"
}

# e2e_expect_gone [SECONDS]: the program's process no longer exists.
e2e_expect_gone() {
    local limit=${1:-5} waited=0
    # A zombie has ended; it only waits for its parent to collect it.
    while kill -0 "$E2E_PID" 2>/dev/null &&
        [[ "$(awk '{print $3}' "/proc/$E2E_PID/stat" 2>/dev/null)" != Z ]]; do
        sleep 0.1
        waited=$((waited + 1))
        ((waited >= limit * 10)) && e2e_fail "process $E2E_PID is still running"
    done
    return 0
}

# e2e_expect_restored: after the program ended (e2e_wait_exit) the pane is
# back in normal mode: primary screen, cursor visible, mouse reporting off.
e2e_expect_restored() {
    local flags
    flags=$(e2e_tmux display-message -p -t main '#{alternate_on} #{cursor_flag} #{mouse_any_flag}#{mouse_standard_flag}#{mouse_sgr_flag}')
    [[ "$flags" == "0 1 000" ]] ||
        e2e_fail "terminal not restored (alternate screen, cursor, mouse flags: $flags)"
}

# e2e_cpu_ticks: user + system clock ticks the program has used so far.
e2e_cpu_ticks() { awk '{print $14 + $15}' "/proc/$E2E_PID/stat"; }

# e2e_stop: ends the session (its program gets SIGHUP) and checks that the
# program is gone, so that a test can start another one.
e2e_stop() {
    e2e_tmux kill-server >/dev/null 2>&1 || true
    e2e_expect_gone 5
    E2E_PID=""
}

# e2e_expect_colors ROW FG BG: the row's text is drawn with the SGR
# foreground FG and background BG (e.g. 97 and 44 for white on blue).
# (tmux does not report the colour of blank cells, so pick a row with text.)
e2e_expect_colors() {
    local line
    line=$(e2e_tmux capture-pane -p -e -S $(($1 - 1)) -E $(($1 - 1)) -t main)
    grep -qE $'\e\\[([0-9;]*;)?'"$2"'(;[0-9;]*)?m' <<<"$line" ||
        e2e_fail "row $1 has no foreground $2: $(cat -v <<<"$line")"
    grep -qE $'\e\\[([0-9;]*;)?'"$3"'(;[0-9;]*)?m' <<<"$line" ||
        e2e_fail "row $1 has no background $3: $(cat -v <<<"$line")"
}

# ---------------------------------------------------------------------------
# Reading the screen by row and column, as a user sees it.

# The repository root (hints.txt, data/pool), two folders above this file.
E2E_REPO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# e2e_snap [SECONDS]: captures the pane into E2E_SHOT once two captures
# 0.15 s apart agree on every row but 25 (which carries the ticking run
# time), so a screen the terminal is still receiving is never read half
# drawn. (A variable, not output: e2e_fail must end the test, not a
# command substitution.)
E2E_SHOT=""
e2e_snap() {
    local limit=${1:-$E2E_TIMEOUT} waited=0 first second
    first=$(e2e_screen)
    while :; do
        sleep 0.15
        second=$(e2e_screen)
        [[ "$(sed 25d <<<"$first")" == "$(sed 25d <<<"$second")" ]] && break
        first=$second
        waited=$((waited + 1))
        ((waited * 15 >= limit * 100)) && e2e_fail "the screen did not settle"
    done
    E2E_SHOT=$second
}

# e2e_length TEXT: the number of characters (not bytes) of TEXT.
e2e_length() { local LC_ALL=C.UTF-8; printf '%s' "${#1}"; }

# e2e_row_in SCREEN N: row N of a captured screen, trailing blanks removed.
e2e_row_in() { sed -n "${2}p" <<<"$1" | sed 's/[[:space:]]*$//'; }

# e2e_cells_in SCREEN ROW COLUMN LENGTH: LENGTH characters from (ROW,
# COLUMN) of a captured screen (characters, not bytes: ─ and – are one cell).
e2e_cells_in() {
    local LC_ALL=C.UTF-8 line
    line=$(sed -n "${2}p" <<<"$1")
    line=$(printf '%-100s' "$line")
    printf '%s' "${line:$(($3 - 1)):$4}"
}

# e2e_cells ROW COLUMN LENGTH: the same, from the pane now.
e2e_cells() { e2e_cells_in "$(e2e_screen)" "$@"; }

# e2e_expect_at ROW COLUMN TEXT: TEXT stands at (ROW, COLUMN) now.
e2e_expect_at() {
    local actual
    actual=$(e2e_cells "$1" "$2" "$(e2e_length "$3")")
    [[ "$actual" == "$3" ]] || e2e_fail "at ($1,$2) found '$actual', expected '$3'"
}

# e2e_wait_at ROW COLUMN TEXT [SECONDS]: waits until TEXT stands at (ROW,
# COLUMN).
e2e_wait_at() {
    local limit=${4:-$E2E_TIMEOUT} waited=0 length
    length=$(e2e_length "$3")
    while [[ "$(e2e_cells "$1" "$2" "$length" 2>/dev/null)" != "$3" ]]; do
        sleep 0.1
        waited=$((waited + 1))
        ((waited >= limit * 10)) && e2e_fail "timed out waiting for '$3' at ($1,$2)"
    done
    return 0
}

# e2e_wait_row N TEXT [SECONDS]: waits until row N starts with TEXT.
e2e_wait_row() { e2e_wait_at "$1" 1 "$2" "${3:-$E2E_TIMEOUT}"; }

# e2e_peek_letter_in SCREEN: the answer letter the drill's peek marker "*"
# on row 23 points at (columns 4, 9, 14, 19 for A to D); empty unless there
# is exactly one marker.
e2e_peek_letter_in() {
    local letters="" letter column=4
    for letter in A B C D; do
        [[ "$(e2e_cells_in "$1" 23 "$column" 1)" == "*" ]] && letters+=$letter
        column=$((column + 5))
    done
    ((${#letters} == 1)) && printf '%s' "$letters"
    return 0
}

# e2e_label_column LETTER: a column inside the drill's and the exam's
# " A ".." D " label for that letter (the middle cell: 4, 9, 14, 19).
e2e_label_column() {
    case $1 in A) echo 4 ;; B) echo 9 ;; C) echo 14 ;; D) echo 19 ;; *) e2e_fail "no label $1" ;; esac
}

# e2e_pool_record ID: the seven lines of a question as the pool file holds
# them (ID field, question, choices A to D, key letter), Windows-1252.
e2e_pool_record() {
    local file="$E2E_REPO_ROOT/data/pool/${1:0:2}.txt"
    grep -a -m1 -A6 "^$1\( \|$\)" "$file"
}

# e2e_hint_text ID: the hint that hints.txt in the repository holds for ID.
e2e_hint_text() { grep -a -m1 "^$1: " "$E2E_REPO_ROOT/hints.txt" | sed "s/^$1: //; s/\r$//"; }

# e2e_wait_row_is N TEXT [SECONDS]: waits until row N is exactly TEXT
# (trailing blanks aside).
e2e_wait_row_is() {
    local limit=${3:-$E2E_TIMEOUT} waited=0
    while [[ "$(e2e_row "$1" 2>/dev/null)" != "$2" ]]; do
        sleep 0.1
        waited=$((waited + 1))
        ((waited >= limit * 10)) && e2e_fail "timed out waiting for row $1 to read '$2'"
    done
    return 0
}
