#!/usr/bin/env bash
# Installs the build into a temporary prefix (never system-wide), checks what
# lands where, and runs the installed program.
source "$(dirname "$0")/lib.sh"

binary=$1
build_dir=$(cd "$(dirname "$binary")" && pwd)
source_dir=$E2E_REPO_ROOT
prefix=$E2E_DIR/prefix
share=$prefix/share/pathwick

cmake --install "$build_dir" --prefix "$prefix" >"$E2E_DIR/install.log" 2>&1 ||
    { cat "$E2E_DIR/install.log" >&2; e2e_fail "cmake --install failed"; }

# --- The installed files -----------------------------------------------------
[[ -x $prefix/bin/pathwick ]] || e2e_fail "bin/pathwick is missing or not executable"
cmp -s "$source_dir/hints.txt" "$share/hints.txt" ||
    e2e_fail "share/pathwick/hints.txt differs from the repository's (line ends must stay CR LF)"
if [[ -d $source_dir/Figures ]]; then
    diff -r "$source_dir/Figures" "$share/Figures" >&2 || e2e_fail "share/pathwick/Figures differs"
elif [[ -e $share/Figures ]]; then
    e2e_fail "share/pathwick/Figures installed although the repository has none"
fi

manual=$prefix/share/man/man6/pathwick.6
cmp -s "$source_dir/docs/pathwick.6" "$manual" || e2e_fail "share/man/man6/pathwick.6 is missing"
if command -v groff >/dev/null; then
    warnings=$(groff -man -Tutf8 -ww -z "$manual" 2>&1)
    [[ -z $warnings ]] || e2e_fail "the manual page has roff warnings: $warnings"
else
    e2e_log "groff is not installed; the manual page is not rendered"
fi

entry=$prefix/share/applications/pathwick.desktop
[[ -f $entry ]] || e2e_fail "share/applications/pathwick.desktop is missing"
for line in "[Desktop Entry]" "Type=Application" "Exec=pathwick" "Terminal=true" \
    "Categories=Education;" "Path=$share"; do
    grep -qxF -- "$line" "$entry" || e2e_fail "pathwick.desktop lacks the line '$line'"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" >&2 || e2e_fail "pathwick.desktop does not validate"
fi

# --- The installed program, from an empty folder, then from share/pathwick
# where the sample hints.txt (with a hint for T0A01) is found.
mkdir "$E2E_DIR/empty"
e2e_menu "$prefix/bin/pathwick" 100 43 "$E2E_DIR/empty"
e2e_expect_row 21 "$E2E_MENU_PROMPT"
e2e_keys Escape
e2e_exits_clean 10 "of the installed program"
e2e_stop
e2e_menu "$prefix/bin/pathwick" 100 43 "$share"
e2e_keys 0
e2e_wait_at 21 15 "$E2E_ORDER_PROMPT"
e2e_keys s
e2e_wait_for "Start with Question:"
e2e_text 1
e2e_keys Enter
e2e_wait_for "Question ID: T0A01"
e2e_expect_at 25 80 "Hint"
e2e_keys h
e2e_wait_for "The Correct Answer is: "
[[ -n $(e2e_row 29) ]] || e2e_fail "H showed no hint text on row 29"
exit 0
