#!/usr/bin/env bash
# The wrapper's exit status rules: 2 for a bad option, file or key name, and
# a transcript for a good script, in UTF-8 or raw.
set -u
keys=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/wine-keys.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mark="options-$$-$RANDOM"
export TOLVANE_TEST_MARK=$mark
passed=0 failed=0
expect() {
    local want=$1 what=$2
    shift 2
    "$@" > out.txt 2> err.txt
    local got=$?
    if [ "$got" = "$want" ]; then passed=$((passed + 1)); else
        failed=$((failed + 1)); echo "FAIL $what: status $got, want $want"; cat err.txt; fi
}
printf '1+2\n' > good.keys
printf '1+2{NoSuchKey}\n' > bad.keys
expect 2 "unknown option" "$keys" --keys good.keys --frobnicate
expect 2 "missing value" "$keys" --keys
expect 2 "unreadable key file" "$keys" --keys missing.keys
expect 2 "bad --answer" "$keys" --keys good.keys --answer maybe
expect 2 "unknown key name" "$keys" --keys bad.keys
expect 0 "good script" "$keys" --keys good.keys
if grep -q '^d>1+2$' out.txt && grep -q '^ 3$' out.txt; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAIL transcript:"; cat out.txt; fi
expect 0 "raw" "$keys" --keys good.keys --raw
if grep -q $'d>1+2\r$' out.txt; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAIL raw transcript keeps CR LF"; fi
# The program ends with the run (Wine may take a moment to reap it). Only
# the programs this test started count: they carry its mark in their
# environment, so a user's own tolvane.exe elsewhere is left out.
left() {
    local pid
    for pid in $(pgrep -f 'tolvane\.exe'); do
        tr '\0' '\n' 2> /dev/null < "/proc/$pid/environ" | grep -qx "TOLVANE_TEST_MARK=$mark" &&
            tr '\0' ' ' 2> /dev/null < "/proc/$pid/cmdline" | grep -qv -e 'tolvane-drive' -e 'wine-keys' && return 0
    done
    return 1
}
for _ in $(seq 1 30); do left || break; sleep 0.1; done
if left; then
    failed=$((failed + 1)); echo "FAIL a tolvane.exe is left running"; else passed=$((passed + 1)); fi
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
