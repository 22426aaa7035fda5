#!/usr/bin/env bash
# cmake --install of the build into a temporary prefix: the files land where
# the menu entry and the manual page are looked for, and the installed program,
# run from its share folder, loads its desktop module and the sample hints.
source "$(dirname "$0")/lib.sh"
prefix=$E2E_DIR/prefix share=$E2E_DIR/prefix/share
cmake --install "$(dirname "$1")" --prefix "$prefix" >/dev/null || e2e_fail "cmake --install failed"
cmp "$E2E_ROOT/hints.txt" "$share/pathwick/hints.txt" || e2e_fail "hints.txt not installed byte for byte"
cmp "$E2E_ROOT/docs/pathwick.6" "$share/man/man6/pathwick.6" || e2e_fail "no manual page"
grep -qx "Path=$share/pathwick" "$share/applications/pathwick.desktop" || e2e_fail "the menu entry's folder"

e2e_menu "$prefix/bin/pathwick" "$share/pathwick"
e2e_until "desktop module not loaded" grep -q "$prefix/lib/pathwick/pathwick-desktop.so" "/proc/$E2E_PID/maps"
e2e_keys 0
e2e_wait_for "[S]equence?"
e2e_keys s
e2e_wait_for "Start with Question:"
e2e_keys 1 Enter
e2e_wait_at 2 2 "Question ID: T0A01"
e2e_keys h
e2e_wait_at 29 2 "$(grep -a '^T0A01: ' "$E2E_ROOT/hints.txt" | cut -c8-60)"
e2e_keys s
e2e_wait_for "$E2E_MENU"
e2e_keys Escape
e2e_exits
