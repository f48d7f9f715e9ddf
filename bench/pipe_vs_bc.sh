#!/bin/sh
# Pipes the same 50,000 statements into tolvane and into bc -l, side by side
# in one run (hyperfine), and prints the ratio.
#   bench/pipe_vs_bc.sh [TOLVANE]
set -eu
tolvane=${1:-build/native/tolvane}
work=$(mktemp -d "${TMPDIR:-/tmp}/pipebench.XXXXXX")
trap 'rm -rf "$work"' EXIT
awk 'BEGIN { srand(1); for (i = 0; i < 50000; i++)
    printf "%d%s%d*(%d+%d)\n", int(rand()*999)+1, substr("+-*/", int(rand()*4)+1, 1),
           int(rand()*99)+1, int(rand()*99)+1, int(rand()*9)+1 }' > "$work/stmts"
hyperfine -w 2 -r 10 \
    "$tolvane --ini $work/none.ini < $work/stmts > /dev/null" \
    "bc -l < $work/stmts > /dev/null"
