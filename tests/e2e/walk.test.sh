#!/usr/bin/env bash
# The real binary through every screen by keys and clicks: started in a small
# window, the menu, help, a random drill (wrong answer, hint, clicks), the last
# question of a sequential drill to the section's end, a practice test resized
# and stopped to its result, study mode and the goodbye; then SIGTERM, SIGHUP,
# SIGINT, a stop and continue, SIGUSR1, Esc on the size notice and a closed
# pane (also with SIGHUP blocked). Run from a folder holding only hints.txt, which must be
# left as it was.
source "$(dirname "$0")/lib.sh"
BINARY=$1 RUN=$E2E_DIR/run
mkdir "$RUN" && cp "$E2E_ROOT/hints.txt" "$RUN/"
"$BINARY" </dev/null >/dev/null 2>"$E2E_DIR/err"
[[ $? == 1 && $(<"$E2E_DIR/err") == *terminal* ]] || e2e_fail "without a terminal: no status 1 and explanation"

question() { e2e_wait_at 4 5 "$1. "; sleep 0.2; } # NUMBER: drawn and settled

e2e_start "$BINARY" "$RUN" 80 30
e2e_wait_for "at least 100 x 43 characters; this one is 80 x 30."
e2e_keys 7
e2e_tmux resize-window -t main -x 100 -y 43
e2e_wait_at 21 20 "$E2E_MENU"
[[ $(e2e_screen -e -S 20 -E 20) == *$'\e[44m'*$'\e[97m'* ]] || e2e_fail "menu prompt not white on blue"
[[ $(e2e_tmux display-message -p -t main '#{pane_title}') == *Pathwick*v2021.09.17a ]] || e2e_fail "window title"

e2e_keys '?'
e2e_wait_at 2 3 "Welcome the Amateur Radio Technician Exam Practice Program."
e2e_keys x # closes help (that the key goes no further: the walks to menu.txt)
e2e_wait_at 21 20 "$E2E_MENU"

# Random T4 drill by a click on its row: a wrong answer dismissed by a click,
# the hint, a right answer by a click on its label, Stop Drill by a click.
e2e_click 12 40
e2e_wait_at 16 15 "Module T4 - Amateur Radio Practices and Station Set-up: [2 Questions,"
e2e_keys r
question 001
e2e_keys Space
e2e_wait_at 25 90 "Peek On"
letter=$(e2e_peek)
e2e_keys "$([[ $letter == A ]] && echo b || echo a)"
e2e_wait_at 21 29 "Incorrect Answer, the correct answer is $letter"
e2e_click 40 50
question 002
letter=$(e2e_peek)
e2e_keys h
e2e_wait_at 27 2 "The Correct Answer is: $letter"
[[ $(e2e_screen -e -S 26 -E 26) == *$'\e[38;5;28m'"$letter"* ]] || e2e_fail "the correct letter not in green 28"
e2e_click 25 $((5 * $(printf '%d' "'$letter") - 321)) # the middle of " A ".." D "
question 003
e2e_click 25 28
e2e_wait_at 21 20 "$E2E_MENU"

# The last question of a sequential drill (peek still on): a right answer ends
# the section, Y goes back to the menu.
e2e_keys 4
e2e_wait_for "[S]equence?"
e2e_keys s
e2e_wait_for "Start with Question:"
e2e_text 24
e2e_keys Enter
question 024
e2e_at 25 90 "Peek On" || e2e_fail "peek did not stay on"
e2e_keys "$(e2e_peek)"
e2e_wait_at 20 17 "You have correctly answered all of the questions in this section."
e2e_keys y
e2e_wait_at 21 20 "$E2E_MENU"

# A practice test: two answers, the review panel, a window too small (keys
# ignored) and back to the same screen, Stop Exam by a click, the result.
e2e_keys p
e2e_wait_at 25 1 " [ A ][ B ][ C ][ D ]   Next  Prev            Review       Stop Exam"
e2e_keys a
e2e_wait_at 3 1 "  2. "
e2e_keys B
e2e_wait_at 3 1 "  3. "
e2e_keys r
e2e_wait_at 28 30 "02. B"
sleep 0.2
before=$(e2e_screen)
e2e_tmux resize-window -t main -x 99 -y 42
e2e_wait_for "this one is 99 x 42"
e2e_keys n
sleep 0.3
e2e_tmux resize-window -t main -x 100 -y 43
e2e_until "the screen differs after the resize" eval '[[ $(e2e_screen) == "$before" ]]'
e2e_click 25 65
e2e_wait_at 25 26 "Are you sure you want to end the Exam? [Y] or [N]"
e2e_keys y
e2e_wait_at 21 39 "Skipped Questions: 33"
e2e_keys x
e2e_wait_at 21 20 "$E2E_MENU"

# Study mode: a look-up through its keys, with the hint from hints.txt.
e2e_keys s
e2e_wait_at 15 16 'In this mode you can enter in a specific question ID such as, "T9A04"'
e2e_keys q
e2e_wait_at 20 20 "Enter the Question ID:"
e2e_text t9a04
e2e_keys Enter
e2e_wait_at 2 10 "Question ID: T9A04"
e2e_keys Space
e2e_wait_at 29 2 "$(grep -a '^T9A04: ' "$RUN/hints.txt" | cut -c8-60)"
e2e_keys x
e2e_wait_at 23 10 "The Correct Answer is: A"
e2e_keys x
e2e_wait_at 20 20 "Enter the Question ID:"
e2e_keys Enter
e2e_wait_at 21 20 "$E2E_MENU"

e2e_keys Escape
e2e_wait_at 21 28 "Thanks for playing.  Have a real nice day."
e2e_exits
[[ $(ls -A "$RUN") == hints.txt ]] && cmp -s "$E2E_ROOT/hints.txt" "$RUN/hints.txt" || e2e_fail "files changed in $RUN"

# Signals end it cleanly, from the menu and mid-drill, and the shell sees
# the signal (128 + its number), not a normal end.
e2e_menu "$BINARY"
kill -TERM "$E2E_PID"
e2e_exits 143
e2e_menu "$BINARY"
e2e_keys 0 r
e2e_wait_for "Run Time: 00:00:01"
kill -HUP "$E2E_PID"
e2e_exits 129
e2e_menu "$BINARY"
kill -INT "$E2E_PID"
e2e_exits 130

# kill -TSTP from another shell, the program being its own foreground job as a
# job-control shell runs it: stopped, the shell's screen back and no mouse
# reports; SIGCONT brings the same screen back. Then SIGUSR1 restores too.
E2E_WRAPPER="python3 -c 'import os, signal as s, sys; os.setpgid(0, 0); s.signal(s.SIGTTOU, s.SIG_IGN); os.tcsetpgrp(0, os.getpgrp()); s.signal(s.SIGTTOU, s.SIG_DFL); os.execv(sys.argv[1], sys.argv[1:])'" \
    e2e_menu "$BINARY"
before=$(e2e_screen)
modes() { [[ $(ps -o stat= -p "$E2E_PID") == $1* && $(e2e_tmux display-message -p -t main '#{alternate_on}#{mouse_any_flag}') == "$2" ]]; }
kill -TSTP "$E2E_PID"
e2e_until "not stopped on the shell's screen without mouse reports" modes T 00
kill -CONT "$E2E_PID"
e2e_until "not back in full-screen mode" modes S 11
e2e_until "the screen differs after SIGCONT" eval '[[ $(e2e_screen) == "$before" ]]'
kill -USR1 "$E2E_PID"
e2e_exits 138

# A window that cannot grow: Esc on the size notice ends the program.
e2e_start "$BINARY" "$RUN" 99 42
e2e_wait_for "or press Esc to quit."
e2e_keys Escape
e2e_exits

# Closing the pane mid-drill ends it, also when SIGHUP is blocked and only the
# terminal's hang-up tells. Waiting does not spin: CPU ticks are 10 ms.
for E2E_WRAPPER in "" "python3 -c 'import os, signal, sys; signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGHUP}); os.execv(sys.argv[1], sys.argv[1:])'"; do
    e2e_menu "$BINARY"
    e2e_keys 0 r
    e2e_wait_for "Run Time: 00:00:01"
    ticks=$(awk '{print $14 + $15}' "/proc/$E2E_PID/stat")
    sleep 1
    (($(awk '{print $14 + $15}' "/proc/$E2E_PID/stat") < ticks + 25)) || e2e_fail "busy while waiting"
    e2e_tmux kill-pane -t main
    E2E_TIMEOUT=2 e2e_gone
done
