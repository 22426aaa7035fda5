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
e2e_menu "$1" 100 43 "$E2E_REPO_ROOT"
e2e_drill 0
e2e_answer_drill
e2e_keys s
e2e_wait_for "Pick the sub element"
e2e_exam
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

# Opens for writing, creating or truncating, whatever their result, and calls
# that change the file tree. Allowed: the terminal, /dev/null, the sound
# devices and the sound system's own state (the PulseAudio client creates
# ~/.config/pulse when the alert first plays). ftruncate needs a descriptor
# opened for writing, which the open check catches.
allowed='"(/dev/tty[^"]*|/dev/pts/[^"]*|/dev/null|/dev/snd/[^"]*|/dev/shm/[^"]*|[^"]*/\.config/pulse(/[^"]*)?|[^"]*/pulse(/[^"]*)?)"'
found=$(grep -E '^[0-9]+ +(open|openat|openat2)\(.*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC)' "$LOG" | grep -vE "$allowed")
found+=$'\n'$(grep -E '^[0-9]+ +(creat|rename|renameat|renameat2|unlink|unlinkat|rmdir|mkdir|mkdirat|truncate|link|linkat|symlink|symlinkat|mknod|mknodat)\(' "$LOG" | grep -vE "$allowed")
found=$(sed '/^$/d' <<<"$found")
if [[ -n "$found" ]]; then
    e2e_log "file-system changes in the trace:"
    printf '%s\n' "$found" >&2
    e2e_fail "the program wrote to the file system"
fi
exit 0
