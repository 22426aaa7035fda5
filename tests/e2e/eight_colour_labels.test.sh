#!/usr/bin/env bash
# The grey labels stay apart from the bright white page where terminfo offers
# 8 colours: TERM=screen is drawn with bright colours (tmux has them), and on
# the Linux console "Peek Off" (like every grey label) is in reverse video.
source "$(dirname "$0")/lib.sh"
# An empty hints file in the run folder wins over the repository's: no Hint
# label stands beside "Peek Off" to change the colour codes before it.
: >"$E2E_DIR/hints.txt"
# peek_off BINARY TERM TEXT LOOK: row 25 of the drill's first page in TERM holds
# TEXT, "Peek Off" with tmux's colour codes.
peek_off() {
    E2E_WRAPPER="env TERM=$2" e2e_menu "$1"
    e2e_keys 2
    e2e_wait_for "[S]equence?"
    e2e_keys r
    e2e_wait_at 25 90 "Peek Off"
    row=$(e2e_screen -e | sed -n 25p)
    [[ "$row" == *"$3"* ]] || e2e_fail "TERM=$2: 'Peek Off' is not $4: $(cat -v <<<"$row")"
}
peek_off "$1" screen $'\e[47mPeek Off\e[107m' "grey on bright white"
peek_off "$1" linux $'\e[7m\e[30mPeek Off' "in reverse video"
