#!/usr/bin/env bash
# --remember with the real binary: without it nothing is written; with it
# the file is made private in the user's state folder; rows added with
# sqlite3 count at the next start, also rows added while a run is killed
# with SIGHUP or kill -9; a file it cannot use is refused in one line
# before the screen starts, exit status 1, the file unchanged (unreadable,
# read-only and uncreatable cases run as the user nobody, since root may
# read and write anything).
source "$(dirname "$0")/lib.sh"
BINARY=$(realpath "$1")
export HOME=$E2E_DIR/home XDG_STATE_HOME=
mkdir "$HOME"
FILE=$HOME/.local/state/pathwick/progress.sqlite3

# run_with ARGUMENTS...: a program for e2e_start that runs the binary with them.
run_with() {
    printf '#!/bin/sh\nexec %q %s\n' "$BINARY" "$*" >"$E2E_DIR/with"
    chmod +x "$E2E_DIR/with"
    echo "$E2E_DIR/with"
}
answer_row() { sqlite3 "$FILE" "INSERT INTO answers VALUES ('2018-2022', '$1', strftime('%Y-%m-%dT%H:%M:%fZ'), 1, 2.5, 'drill')"; }
answers_said() { "$BINARY" --remember --progress | grep -qx "answers: $1"; }

e2e_menu "$BINARY"
kill -TERM "$E2E_PID"
e2e_exits 143
[[ -z $(find "$HOME" -mindepth 1) ]] || e2e_fail "written without --remember: $(find "$HOME" -mindepth 1)"

summary=$("$BINARY" --remember --progress </dev/null) || e2e_fail "--progress failed"
[[ $summary == "pool: 2018-2022"$'\n'"answers: 0"$'\n'"seen: 0 of "* && $summary == *"chance to pass today: "*" %"* &&
    $(grep -c '^T[0-9]: ' <<<"$summary") == 10 ]] || e2e_fail "summary: $summary"
[[ $(stat -c %a "$FILE" "${FILE%/*}" "$HOME/.local/state") == $'600\n700\n700' ]] || e2e_fail "modes"

rows() { sqlite3 "$FILE" "SELECT count(*) FROM answers"; }
more_rows_than() { (($(rows) > $1)); }
# A drill ended by SIGHUP or kill -9 in its middle keeps each answer it gave,
# and rows another program adds meanwhile.
for signal in HUP KILL; do
    e2e_menu "$(run_with --remember)"
    answer_row T6A01
    e2e_keys 2 && e2e_wait_for "[S]equence?" && e2e_keys r
    for n in 1 2 3; do
        e2e_wait_at 25 90 "Peek Off"
        before=$(rows)
        e2e_keys a
        e2e_until "drill answer $n not kept" more_rows_than "$before"
        if [[ $(sqlite3 "$FILE" "SELECT correct FROM answers ORDER BY rowid DESC LIMIT 1") == 0 ]]; then
            e2e_wait_for "Press any key" && e2e_keys Enter
        fi
    done
    kill -$signal "$E2E_PID"
    e2e_gone
done
answers_said 8 || e2e_fail "rows lost around SIGHUP and kill -9"
[[ $(sqlite3 "$FILE" "PRAGMA integrity_check") == ok ]] || e2e_fail "the file is damaged"

# Refused before the screen is taken: one line, status 1.
printf 'not a database at all\n' >"$E2E_DIR/text.sqlite3"
e2e_tmux kill-server 2>/dev/null
e2e_until "tmux did not start" e2e_tmux new-session -d -s main -x 100 -y 43 \
    "$(run_with --remember="$E2E_DIR/text.sqlite3"); echo \"[exit \$?]\"; exec sleep 600"
e2e_wait_for "[exit 1]"
[[ $(e2e_screen -J | grep -c .) == 2 && $(e2e_screen -J) == "pathwick: $E2E_DIR/text.sqlite3 is not a Pathwick progress file"* ]] ||
    e2e_fail "not one line before the screen"

# refused FILE WHAT [RUNNER...]: --remember=FILE ends with status 1 and one
# line saying WHAT, and leaves FILE as it was.
refused() {
    local file=$1 what=$2 before status
    shift 2
    before=$(sha256sum "$file" 2>&1)
    "$@" "$BINARY" --remember="$file" --progress >"$E2E_DIR/out" 2>"$E2E_DIR/err" </dev/null
    status=$?
    [[ $status == 1 && ! -s $E2E_DIR/out && $(wc -l <"$E2E_DIR/err") == 1 && $(<"$E2E_DIR/err") == "pathwick: "*"$what"* ]] ||
        e2e_fail "$file: status $status, said: $(<"$E2E_DIR/err")"
    [[ $(sha256sum "$file" 2>&1) == "$before" ]] || e2e_fail "$file was changed"
}
nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/nonexistent)
chmod 711 "$E2E_DIR"
mkdir -m 755 "$E2E_DIR/shared"
cp "$FILE" "$E2E_DIR/shared/unreadable.sqlite3" && chmod 000 "$E2E_DIR/shared/unreadable.sqlite3"
refused "$E2E_DIR/shared/unreadable.sqlite3" "cannot read it" "${nobody[@]}"
cp "$FILE" "$E2E_DIR/shared/read-only.sqlite3" && chmod 444 "$E2E_DIR/shared/read-only.sqlite3"
refused "$E2E_DIR/shared/read-only.sqlite3" "cannot write to it" "${nobody[@]}"
refused "$E2E_DIR/shared/locked/progress.sqlite3" "cannot create the folder $E2E_DIR/shared/locked" "${nobody[@]}"
[[ ! -e $E2E_DIR/shared/locked ]] || e2e_fail "a folder was made"
echo "e2e: remember passed"
