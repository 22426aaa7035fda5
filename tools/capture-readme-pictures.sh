#!/usr/bin/env bash
# Makes the README pictures in docs/ from the real program: a private Xvfb,
# an xterm of 100 x 43 cells with DejaVu Sans Mono (it has the box-drawing
# characters), keys typed with xdotool, screenshots with ImageMagick.
#
#   tools/capture-readme-pictures.sh [BINARY]    (default build/release/pathwick)
#
# Needs: Xvfb xterm xdotool imagemagick fonts-dejavu-core (Debian packages).
# The program runs in the repository root, so the sample hints are found.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
binary=$(realpath "${1:-$root/build/release/pathwick}")
out=$root/docs
width=1200                     # width of the picture with the figure, in pixels
[[ -x "$binary" ]] || { echo "no program at $binary (run make build)" >&2; exit 1; }
for tool in Xvfb xterm xdotool xwininfo import convert; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=""
xterm_pid=""
cleanup() {
    [[ -n "$xterm_pid" ]] && kill "$xterm_pid" 2>/dev/null
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

mkfifo "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1680x800x24 -nolisten tcp 3>"$work/displayfd" 2>/dev/null &
xvfb_pid=$!
read -r -t 10 display <"$work/displayfd"
export DISPLAY=":$display"

cd "$root"
# start_terminal [OPTION...]: the program in a new xterm, with OPTIONs.
start_terminal() {
    xterm -geometry 100x43+10+10 -fa 'DejaVu Sans Mono' -fs 10 -bw 0 -b 0 \
        -xrm 'XTerm*allowWindowOps: true' -title Pathwick \
        -e env LANG=C.UTF-8 LC_ALL=C.UTF-8 TERM=xterm-256color "$binary" "$@" &
    xterm_pid=$!
}
start_terminal

# top_window PATTERN: the id of the first top-level window whose line in
# xwininfo matches PATTERN (fixed text), waiting up to 10 s for it.
top_window() {
    local tries=0 id
    until id=$(xwininfo -root -children 2>/dev/null | grep -F -- "$1" | awk '{print $1; exit}') && [[ -n "$id" ]]; do
        sleep 0.1
        ((++tries < 100)) || { echo "no window matching '$1'" >&2; exit 1; }
    done
    echo "$id"
}
terminal=$(top_window '("xterm" "XTerm")')
sleep 1.5   # start-up and the first frame

keys() { xdotool windowfocus "$terminal"; xdotool key --delay 80 "$@"; sleep 0.6; }

# window_shot NAME ID: one window, scaled to at most 800 pixels across.
window_shot() {
    import -silent -window "$2" "$work/$1-full.png"
    convert "$work/$1-full.png" -resize '800x>' -strip "$out/$1.png"
    echo "wrote docs/$1.png"
}

window_shot main-menu "$terminal"

# A drill on T6 in sequence from question 24: T6C02 needs Figure T1, which
# opens at +1000+100 beside the terminal. H shows the answer and the hint.
keys 6
keys s
keys 2 4 Return
figure=$(top_window '"Figure T1": ')
sleep 0.8
keys h
# Both windows on a grey desktop, as they stand on the screen.
import -silent -window "$terminal" "$work/terminal.png"
import -silent -window "$figure" "$work/figure.png"
read -r tw th < <(identify -format '%w %h\n' "$work/terminal.png")
convert -size "1660x$((th + 40))" xc:'#5a6470' \
    "$work/terminal.png" -geometry +20+20 -composite \
    "$work/figure.png" -geometry +1000+100 -composite \
    -resize "${width}x" -strip "$out/drill-figure.png"
echo "wrote docs/drill-figure.png"

# A practice test: all 35 answered (a key more for the notice after the
# last one), then Stop Exam and Yes for the result page.
keys s
keys p
sleep 1
for _ in 1 2 3 4 5 6 7; do keys a b c d b; done
keys x
keys s
keys y
window_shot practice-result "$terminal"

keys Return
keys Escape
wait "$xterm_pid"   # the goodbye line, then the program and its xterm end

# The menu of the current pool.
start_terminal --pool 2026
terminal=$(top_window '("xterm" "XTerm")')
sleep 1.5
window_shot current-pool-menu "$terminal"
keys Escape
wait "$xterm_pid"
xterm_pid=""

# An Amateur Extra practice test: most of its 50 questions answered, and the
# review panel with its fifth column.
start_terminal --pool extra
terminal=$(top_window '("xterm" "XTerm")')
sleep 1.5
keys p
sleep 1
for _ in 1 2 3 4 5 6 7; do keys a b c d b c a; done
keys r
window_shot extra-review "$terminal"
keys s
keys y
keys Return
keys Escape
wait "$xterm_pid"
xterm_pid=""
