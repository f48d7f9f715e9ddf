#!/usr/bin/env bash
# Cross-build check: randomly generated sessions (tests/wine/sessions.py)
# replayed through the native `tolvane --keys` and through tolvane.exe with
# tests/wine/wine-keys must leave the same bytes in the console. Run inside
# scripts/wine-env. TOLVANE_DIFF_SESSIONS (default 6) and TOLVANE_DIFF_SEED
# (default 1) choose how many and which; `make differential` runs many.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
native=${TOLVANE_NATIVE:-$root/build/native/tolvane}
count=${TOLVANE_DIFF_SESSIONS:-6}
seed=${TOLVANE_DIFF_SEED:-1}
work=$(mktemp -d "${TMPDIR:-/tmp}/differential.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/sessions"
python3 "$here/sessions.py" "$work/sessions" "$count" "$seed" || exit 1
passed=0 failed=0
for keys in "$work"/sessions/s*.keys; do
    name=$(basename "$keys" .keys)
    ini=()
    [ -f "$work/sessions/$name.ini" ] && ini=(--ini "$name.ini")
    for side in native wine; do
        rm -rf "$work/$side" && cp -R "$work/sessions" "$work/$side"
        (
            cd "$work/$side" || exit 1
            if [ "$side" = native ]; then
                "$native" --keys "$name.keys" "${ini[@]}" --raw
            else
                "$root/tests/wine/wine-keys" --keys "$name.keys" "${ini[@]}" --raw
            fi
        ) > "$work/$name.$side" 2> "$work/$name.$side.err"
        echo $? > "$work/$name.$side.status"
    done
    if cmp -s "$work/$name.native" "$work/$name.wine" &&
        cmp -s "$work/$name.native.status" "$work/$name.wine.status"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL session $name (seed $seed): the builds differ; its keys:"
        sed 's/^/    /' "$keys"
        [ -f "$work/sessions/$name.ini" ] && sed 's/^/    ini: /' "$work/sessions/$name.ini"
        echo "  status native $(cat "$work/$name.native.status"), wine $(cat "$work/$name.wine.status")"
        cat "$work/$name.wine.err"
        diff <("$native" --decode < "$work/$name.native") <("$native" --decode < "$work/$name.wine") |
            head -n 20
    fi
done
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
