#!/usr/bin/env bash
# Real key presses through the X server (XTEST, by xdotool) into tolvane.exe
# under Wine, as a person types them; the console is read back with
# tolvane-drive --read. Run inside scripts/wine-env. Checks: an Alt
# accelerator followed by typing and Enter; the other Alt templates; a long
# statement typed into a full console.
set -u
native=${TOLVANE_NATIVE:?}
drive="$TOLVANE_WIN_DIR/tolvane-drive.exe"
exe="$TOLVANE_WIN_DIR/tolvane.exe"
command -v xdotool > /dev/null || { echo "xtest: xdotool is missing (scripts/install-deps)"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/xtest.XXXXXX")
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2> /dev/null
    rm -rf "$work"
}
trap cleanup EXIT
cd "$work" || exit 1
passed=0 failed=0
fail() { failed=$((failed + 1)); echo "FAIL $*"; }

# The console's text in UTF-8, CR LF as LF.
console() { "$WINE" "$drive" --read 2> /dev/null | "$native" --decode; }
# Waits until the console's text ends with the given text (a shell pattern).
wait_for() {
    local want=$1 what=$2 i
    for i in $(seq 1 200); do
        # shellcheck disable=SC2053
        [[ "$(console)" == $want ]] && { passed=$((passed + 1)); return 0; }
        sleep 0.1
    done
    fail "$what: timed out; the console ends with:"
    console | tail -n 4
    return 1
}

rm -f "$WINEPREFIX/drive_c/windows/tolvane.ini"
# The program is started from our folder: its script a.tvs fills the console.
printf 'x=1\ny=2\n' > b.tvs
for _ in $(seq 300); do echo 'call b'; done > a.tvs
"$WINE" "$exe" &
app=$!
wait_for $'*\nd>' "first prompt" || exit 1
# The Wine window that holds the keyboard focus is the program's.
for _ in $(seq 1 50); do
    [ "$(xdotool getwindowfocus getwindowname 2> /dev/null)" = Tolvane ] && break
    sleep 0.1
done
[ "$(xdotool getwindowfocus getwindowname 2> /dev/null)" = Tolvane ] ||
    { fail "the program's window does not have the focus"; exit 1; }

# Alt+S, then 30 and Enter: the digits and the Enter reach the console.
xdotool key alt+s
xdotool type --delay 30 30
xdotool key Return
wait_for $'*\nd>sin(30)\n 0.500\n\nd>' "Alt+S, 30, Enter gives sin(30)"
# The other templates: each followed by its argument and Enter.
for t in "alt+c 60 cos(60) 0.500" "alt+t 45 tan(45) 1" "alt+r 16 sqrt(16) 4" "alt+l 1 ln(1) 0"; do
    set -- $t
    xdotool key "$1"
    xdotool type --delay 30 "$2"
    xdotool key Return
    wait_for "*"$'\n'"d>$3"$'\n'" $4"$'\n\nd>' "$1 then $2 and Enter gives $3"
done

# A full console still takes a whole line: 507 characters summing 254 ones.
xdotool type --delay 5 'call a'
xdotool key Return
wait_for $'* a.tvs を読み込みました\n*\nd>' "the console fills with the script's output"
sum="1$(printf '+1%.0s' $(seq 253))"
xdotool type --delay 5 "$sum"
xdotool key Return
wait_for "*"$'\n'"d>$sum"$'\n'" 254"$'\n\nd>' "a 507-character statement typed into a full console"

xdotool type --delay 30 bye
xdotool key Return
for _ in $(seq 1 100); do kill -0 "$app" 2> /dev/null || break; sleep 0.1; done
if kill -0 "$app" 2> /dev/null; then fail "bye did not end the program"; else
    passed=$((passed + 1)); app=""; fi
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
