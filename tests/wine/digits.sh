#!/usr/bin/env bash
# The Windows program's number texts and decimal readings must be the native
# program's, byte for byte; run inside `scripts/wine-env` with the native
# tolvane-digits as the argument.
set -u
native=$(mktemp) windows=$(mktemp)
trap 'rm -f "$native" "$windows"' EXIT
"$1" > "$native" || { echo "digits.sh: native tolvane-digits failed" >&2; exit 1; }
"$WINE" "$TOLVANE_WIN_DIR/tolvane-digits.exe" | tr -d '\r' > "$windows" ||
    { echo "digits.sh: tolvane-digits.exe failed" >&2; exit 1; }
lines=$(wc -l < "$native")
if [ "$lines" -lt 30000 ]; then
    echo "digits.sh: only $lines lines from the native program" >&2
    exit 1
fi
if ! cmp -s "$native" "$windows"; then
    echo "digits.sh: the Windows program's texts differ:" >&2
    diff "$native" "$windows" | head -20 >&2
    exit 1
fi
echo "digits.sh: $lines lines alike"
