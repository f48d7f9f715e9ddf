#!/usr/bin/env bash
# Runs the end-to-end checks (tolvane-e2e.exe) against tolvane.exe of the
# Windows build that scripts/wine-env chose; run inside `scripts/wine-env`.
set -u
exe="$TOLVANE_WIN_DIR/tolvane.exe"
"$WINE" "$TOLVANE_WIN_DIR/tolvane-e2e.exe" "Z:${exe//\//\\}" "$@"
