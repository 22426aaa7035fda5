#!/usr/bin/env bash
# cmake --install of the build into a temporary prefix: the files land where
# the menu entry and the manual page are looked for, and the installed program,
# run from an empty folder with a home of its own, starts its desktop helper
# and shows the sample hints found through XDG_DATA_DIRS. (That a hints file in
# the current folder wins: tests/hints and eight_colour_labels.test.sh.)
source "$(dirname "$0")/lib.sh"
prefix=$E2E_DIR/prefix share=$E2E_DIR/prefix/share
cmake --install "$(dirname "$1")" --prefix "$prefix" >/dev/null || e2e_fail "cmake --install failed"
for hints in hints.txt hints-2026-2030.txt hints-general-2023-2027.txt hints-extra-2024-2028.txt; do
    cmp "$E2E_ROOT/$hints" "$share/pathwick/$hints" || e2e_fail "$hints not installed byte for byte"
done
cmp "$E2E_ROOT/docs/pathwick.6" "$share/man/man6/pathwick.6" || e2e_fail "no manual page"
cmp "$E2E_ROOT/docs/pathwick.desktop" "$share/applications/pathwick.desktop" || e2e_fail "no menu entry"

# first_hint_in FOLDER TEXT: started in FOLDER, the program shows TEXT as the hint of T0A01.
first_hint_in() {
    E2E_WRAPPER="env -u XDG_DATA_HOME HOME=$E2E_DIR/home XDG_DATA_DIRS=$share" e2e_menu "$prefix/bin/pathwick" "$1"
    e2e_keys 0 && e2e_wait_for "[S]equence?" && e2e_keys s && e2e_wait_for "Start with Question:"
    e2e_keys 1 Enter && e2e_wait_at 2 2 "Question ID: T0A01" && e2e_keys h && e2e_wait_at 29 2 "$2"
}
mkdir -p "$E2E_DIR/empty" "$E2E_DIR/home"
first_hint_in "$E2E_DIR/empty" "$(grep -a '^T0A01: ' "$E2E_ROOT/hints.txt" | cut -c8-60)"
helper_started() { pgrep -P "$E2E_PID" | while read -r child; do readlink "/proc/$child/exe"; done | grep -qx "$prefix/lib/pathwick/pathwick-desktop"; }
e2e_until "desktop helper not started" helper_started
e2e_keys s && e2e_wait_for "$E2E_MENU" && e2e_keys Escape && e2e_exits
