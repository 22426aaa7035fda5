#!/usr/bin/env bash
# The program writes no files: a scripted session (menu, a drill with a
# wrong answer and a hint, a practice test to its result screen, study mode,
# goodbye) runs under strace, and the trace must show no file opened for
# writing or created, renamed, linked, unlinked, made a folder or truncated.
# The terminal, /dev/null and pipes are what the program may write to.
source "$(dirname "$0")/lib.sh"
E2E_TIMEOUT=30
command -v strace >/dev/null || e2e_fail "strace is not installed (scripts/install-deps)"
LOG="$E2E_DIR/strace.log"
E2E_WRAPPER="strace -f -e trace=%file,%desc -o '$LOG'"
e2e_start "$1" 100 43 "$E2E_REPO_ROOT"
e2e_wait_for "Pick the sub element"

# A drill: peek on, one wrong answer, a hint, two right answers, stop.
e2e_keys 0
e2e_wait_for "[R]andomly or in [S]equence?"
e2e_keys r
e2e_wait_at 4 5 "001. "
e2e_keys Space
e2e_wait_at 25 90 "Peek On"
e2e_snap
letter=$(e2e_peek_letter_in "$E2E_SHOT")
[[ -n "$letter" ]] || e2e_fail "no peek marker"
wrong=A; [[ "$letter" == A ]] && wrong=B
e2e_keys "$wrong"
e2e_wait_at 21 29 "Incorrect Answer, the correct answer is $letter"
e2e_keys x
for number in 002 003; do
    e2e_wait_at 4 5 "$number. "
    e2e_keys h
    e2e_wait_at 27 2 "The Correct Answer is: "
    e2e_snap
    e2e_keys "$(e2e_peek_letter_in "$E2E_SHOT")"
done
e2e_wait_at 4 5 "004. "
e2e_keys s

# A practice test: two answers, review, stop, the result screen.
e2e_wait_for "Pick the sub element"
e2e_keys p
e2e_wait_at 3 1 "  1. "
e2e_keys a
e2e_wait_at 3 1 "  2. "
e2e_keys b r
e2e_wait_at 27 1 "     Correct Answers:"
e2e_keys s
e2e_wait_for "Are you sure you want to end the Exam?"
e2e_keys y
e2e_wait_for "Press any key to end the exam."
e2e_keys x

# Study mode: one look-up through its three keys.
e2e_wait_for "Pick the sub element"
e2e_keys s
e2e_wait_for "Press any key to continue."
e2e_keys x
e2e_wait_for "Enter the Question ID:"
e2e_text T0A01
e2e_keys Enter
e2e_wait_for "Question ID: T0A01"
e2e_keys x
e2e_wait_for "[Hint]"
e2e_keys x
e2e_wait_for "The Correct Answer is:"
e2e_keys x
e2e_wait_for "Enter the Question ID:"
e2e_keys Enter

e2e_wait_for "Pick the sub element"
e2e_keys Escape
e2e_wait_for "Thanks for playing."
status=$(e2e_wait_exit 15) || exit 1
[[ "$status" == 0 ]] || e2e_fail "exit status $status"
e2e_expect_gone 5

[[ -s "$LOG" ]] || e2e_fail "strace wrote no log"
grep -qE 'open(at)?\(.*"(\./)?hints\.txt", O_RDONLY' "$LOG" ||
    e2e_fail "the trace does not show hints.txt being read; is the trace complete?"

# Every open that asks for writing, creating or truncating, whatever its
# result, and every call that changes the file tree.
allowed='"(/dev/tty[^"]*|/dev/pts/[^"]*|/dev/null)"'
found=$(grep -E '^[0-9]+ +(open|openat|openat2)\(.*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC)' "$LOG" | grep -vE "$allowed")
found+=$'\n'$(grep -E '^[0-9]+ +(creat|rename|renameat|renameat2|unlink|unlinkat|rmdir|mkdir|mkdirat|truncate|ftruncate|link|linkat|symlink|symlinkat|mknod|mknodat)\(' "$LOG")
found=$(sed '/^$/d' <<<"$found")
if [[ -n "$found" ]]; then
    e2e_log "file-system changes in the trace:"
    printf '%s\n' "$found" >&2
    e2e_fail "the program wrote to the file system"
fi
exit 0
