#!/usr/bin/env bash
# Without a terminal the program explains why and exits with status 1.
binary=$1
output=$("$binary" </dev/null 2>&1 >/dev/null)
status=$?
[[ $status == 1 ]] || { echo "exit status $status, expected 1" >&2; exit 1; }
[[ "$output" == *terminal* ]] || { echo "no explanation on stderr: '$output'" >&2; exit 1; }
output=$(echo | "$binary" 2>&1 | cat)
[[ "$output" == *terminal* ]] || { echo "piped output: '$output'" >&2; exit 1; }
exit 0
