#!/usr/bin/env bash
# Hostile input to the native tolvane, as a person or a pipeline gives it:
# endless and oversized files on the command line, start-up scripts with
# blanks, long and Japanese names, and a save on a full disk.
#
#   tests/native/hostile.sh TOLVANE
set -u
tolvane=$(realpath "$1")
failed=0
work=$(mktemp -d "${TMPDIR:-/tmp}/hostile.XXXXXX")
mounted=""
cleanup() {
    [ -n "$mounted" ] && umount "$mounted" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
cd "$work" || exit 1

fail() {
    echo "FAIL: $*"
    failed=1
}

# Runs tolvane with a timeout; sets out, err and status.
run() {
    out=$(timeout 20 "$tolvane" "$@" 2> err.txt)
    status=$?
    err=$(cat err.txt)
}

# Oversized or endless key scripts and settings files: one line, status 2.
for args in "--keys /dev/zero" "--keys /dev/urandom" "--keys -" "--keys /dev/null --ini /dev/zero" \
    "--keys /dev/null --ini /dev/urandom"; do
    # shellcheck disable=SC2086
    run $args < /dev/zero
    case "$args" in
        *--ini*) want="the settings file is larger than 64 KiB" ;;
        *) want="the key script is larger than 64 MiB" ;;
    esac
    [ "$status" = 2 ] || fail "$args: status $status, expected 2"
    [ "$(printf '%s\n' "$err" | wc -l)" = 1 ] && [[ "$err" == *"$want"* ]] ||
        fail "$args: stderr '$err'"
done

# A call of an endless file ends with one message, and the session goes on.
ln -s /dev/zero zero.tvs
mkfifo pipe.tvs
printf 'call zero\n6*7\ncall pipe\n1+1\n' > endless.keys
run --keys endless.keys
[ "$status" = 0 ] || fail "endless: status $status"
# A pipe without a writer ends at once or at the bound.
grep -q 'zero.tvs の実行を打ち切りました' <<< "$out" || fail "endless: $out"
grep -q '^ 42$' <<< "$out" && grep -q '^ 2$' <<< "$out" || fail "endless: no results after the cut: $out"

# Start-up scripts: a blank in the name, a Japanese name, a long path.
printf 'a=1+2\n' > 'my calc.tvs'
printf 'b=3+4\n' > '計算.tvs'
long=$work/$(printf 'd%.0s' $(seq 1 200))/$(printf 'e%.0s' $(seq 1 200))/$(printf 'f%.0s' $(seq 1 150))
mkdir -p "$long"
printf 'c=5+6\n' > "$long/deep.tvs"
printf 'a\n' > a.keys
printf 'b\n' > b.keys
printf 'c\n' > c.keys
for case in "a|my calc.tvs|3" "a|$work/my calc|3" "b|計算.tvs|7" "c|$long/deep.tvs|11"; do
    IFS='|' read -r key script value <<< "$case"
    run --keys "$key.keys" "$script"
    grep -q "を読み込みました" <<< "$out" && grep -q "^ $value\$" <<< "$out" ||
        fail "start-up script '${script:0:60}': $out"
done
ls -d "${TMPDIR:-/tmp}"/tolvane-?????? 2>/dev/null | while read -r d; do
    [ -O "$d" ] && [ -z "$(ls "$d")" ] && fail "an empty link folder was left: $d"
done

# Japanese names on disk are UTF-8: save, then call what a drop typed.
printf 'save 結果.txt\ncall {Drop:%s/計算.tvs}\nb\n' "$work" > drop.keys
run --keys drop.keys
[ -f 結果.txt ] || fail "save 結果.txt made no file of that name: $(ls)"
grep -q '^ 7$' <<< "$out" || fail "call of a dropped 計算.tvs: $out"

# A save on a full disk keeps the old file.
if mkdir disk && mount -t tmpfs -o size=16k tmpfs disk 2>/dev/null; then
    mounted=$work/disk
    head -c 6300 /dev/urandom > disk/old.txt
    cp disk/old.txt kept.txt
    head -c 100000 /dev/zero > disk/fill 2>/dev/null
    keys=""
    for i in $(seq 1 120); do keys+="$i*1111111"$'\n'; done
    printf '%ssave %s/old.txt\n' "$keys" "$mounted" > full.keys
    run --keys full.keys
    grep -q "保存失敗 \[$mounted/old.txt\]" <<< "$out" || fail "full disk: no failure message"
    cmp -s disk/old.txt kept.txt || fail "full disk: the old file lost its content"
    [ "$(ls -A disk)" = "$(printf 'fill\nold.txt')" ] || fail "full disk: left behind: $(ls -A disk)"
    rm disk/fill
    run --keys full.keys
    grep -q "$mounted/old.txtに保存しました" <<< "$out" || fail "room again: not saved"
    # a Linux text file: it ends with the save's own line, and holds no zero byte
    [ "$(tail -c 1 disk/old.txt | od -An -tx1 | tr -d ' ')" = 0a ] || fail "room again: no line end last"
    tr -d '\000' < disk/old.txt | cmp -s - disk/old.txt || fail "room again: a zero byte in the file"
    umount disk && mounted=""
else
    echo "hostile: no tmpfs can be mounted here; the full-disk case is left out"
    skipped_disk=1
fi

if [ $failed -ne 0 ]; then
    exit 1
fi
if [ "${skipped_disk:-0}" = 1 ]; then
    exit 77
fi
echo "hostile: all passed"
