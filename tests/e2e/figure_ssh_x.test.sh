#!/usr/bin/env bash
# The figure over `ssh -X` to this machine (a private sshd on a loopback
# port). The ssh client reaches the X server over TCP, as one on another
# machine would, so the server refuses it shared memory; T6C02 still opens
# "Figure T1".
source "$(dirname "$0")/lib.sh"
ssh=$E2E_DIR/ssh port=$((20000 + $$ % 20000))
mkdir -p "$ssh" /run/sshd
ssh-keygen -q -t ed25519 -N '' -f "$ssh/host" && ssh-keygen -q -t ed25519 -N '' -f "$ssh/user" || e2e_fail "no keys"
cp "$ssh/user.pub" "$ssh/authorized_keys"
printf '%s\n' "Port $port" "ListenAddress 127.0.0.1" "HostKey $ssh/host" "AuthorizedKeysFile $ssh/authorized_keys" \
    "PermitRootLogin prohibit-password" "StrictModes no" "UsePAM no" "X11Forwarding yes" "PidFile $ssh/sshd.pid" \
    "SetEnv XAUTHORITY=$ssh/remote-xauth LANG=C.UTF-8" >"$ssh/sshd_config"
/usr/sbin/sshd -f "$ssh/sshd_config" || e2e_fail "sshd did not start"
trap 'kill "$(cat "$ssh/sshd.pid")"; e2e_cleanup' EXIT
export XAUTHORITY=$E2E_DIR/xauth
xauth -q -f "$XAUTHORITY" add :0 . "$(mcookie)" 2>/dev/null # the server needs a cookie to hand out untrusted ones
e2e_xvfb -auth "$XAUTHORITY" -noreset -listen tcp
export DISPLAY=127.0.0.1$DISPLAY
xauth -q add "$DISPLAY" . "$(xauth list | awk '{print $3; exit}')"
E2E_WRAPPER="ssh -X -t -o ForwardX11Trusted=yes -o BatchMode=yes -o StrictHostKeyChecking=no -o LogLevel=ERROR"
E2E_WRAPPER+=" -o UserKnownHostsFile=/dev/null -i $ssh/user -p $port root@127.0.0.1"
e2e_menu "$1"
e2e_keys 6 s
e2e_wait_for "Start with Question:"
e2e_keys 2 4 Enter
e2e_wait_at 2 2 "Question ID: T6C02"
e2e_until "no window Figure T1 over ssh -X" eval 'xwininfo -root -tree | grep -q "\"Figure T1\": "'
e2e_keys s
e2e_wait_for "$E2E_MENU"
e2e_keys Escape
e2e_wait_for "[exit 0]"
