#!/usr/bin/env bash
# In a terminal of 8 colours (TERM=screen) the grey labels stay apart from
# the bright white page: "Peek Off" (like every grey label) is drawn in
# reverse video.
source "$(dirname "$0")/lib.sh"
E2E_WRAPPER="env TERM=screen" e2e_menu "$1"
e2e_keys 2
e2e_wait_for "[S]equence?"
e2e_keys r
e2e_wait_at 25 90 "Peek Off"
row=$(e2e_screen -e | sed -n 25p)
[[ "$row" == *$'\e[7mPeek Off'* ]] || e2e_fail "'Peek Off' is not in reverse video: $(cat -v <<<"$row")"
