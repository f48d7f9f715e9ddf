#!/usr/bin/env bash
# make install and make uninstall into a temporary DESTDIR with PREFIX=/usr:
# the program, its help document where it looks for it, the manual page,
# which man shows with the options, the keys and the files; then nothing left.
#
#   tests/native/install.sh BUILD_DIR
set -u
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/install.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

make -s -C "$root" install-files NATIVE="$build" PREFIX=/usr DESTDIR="$work/dest" ||
    fail "make install-files"
for f in usr/bin/tolvane usr/share/tolvane/help.txt usr/share/man/man1/tolvane.1; do
    [ -f "$work/dest/$f" ] || fail "$f not installed"
done
[ -x "$work/dest/usr/bin/tolvane" ] || fail "usr/bin/tolvane is not executable"
"$work/dest/usr/bin/tolvane" --version | grep -q '^tolvane [0-9]' || fail "the installed tolvane gives no version"
if command -v man >/dev/null; then
    page=$(MANWIDTH=100 man -l "$work/dest/usr/share/man/man1/tolvane.1" 2>&1)
    grep -q 'warning' <<<"$page" && fail "man tolvane warns: $(grep warning <<<"$page" | head -3)"
    for want in "--no-history" "--ini FILE" "Ctrl+R" "Alt+S" "radius=5" "TOLVANE_HISTORY=off" \
                "tolvane.ini" "FILES"; do
        grep -qF -- "$want" <<<"$page" || fail "man tolvane does not show '$want'"
    done
fi
make -s -C "$root" uninstall PREFIX=/usr DESTDIR="$work/dest" || fail "make uninstall"
left=$(cd "$work/dest" && find . -type f)
[ -z "$left" ] || fail "make uninstall left $left"
[ -d "$work/dest/usr/share/tolvane" ] && fail "make uninstall left usr/share/tolvane"
[ $failed = 0 ] && echo "install: passed"
exit $failed
