#!/usr/bin/env bash
# The install step's decisions against a fake apt-get and dpkg on PATH: a
# mirror whose security i386 index has the wrong size, a 32-bit Wine that
# cannot be installed, a kernel that runs no 32-bit programs, a package that
# cannot be had, and a machine that has everything.
#
#   tests/native/install_deps.sh
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/install-deps.XXXXXX")
trap 'rm -rf "$work"' EXIT
. /etc/os-release
suite=${VERSION_CODENAME:-bookworm}
failed=0
fail() { echo "FAIL $name: $*"; failed=1; }

mkdir -p "$work/bin"
# dpkg and dpkg-query: installed packages and architectures from the state folder.
cat > "$work/bin/dpkg-query" << 'EOF'
#!/bin/sh
grep -qx "$4" "$STATE/installed" && printf 'install ok installed'
EOF
cat > "$work/bin/dpkg" << 'EOF'
#!/bin/sh
case "$1" in
--print-architecture) echo amd64 ;;
--print-foreign-architectures) cat "$STATE/arches" ;;
--add-architecture) echo "$2" >> "$STATE/arches" ;;
esac
EOF
# apt-get: every call logged; update fails as the mirror did when it is
# broken; a simulated or real install fails for the packages the scenario
# cannot give.
cat > "$work/bin/apt-get" << 'EOF'
#!/bin/sh
echo "$*" >> "$STATE/calls"
case "$*" in
*update*)
    [ -e "$STATE/broken" ] || exit 0
    url=http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz
    echo "Err:7 $url"
    echo "E: Failed to fetch $url  File has unexpected size (374820 != 376004). Mirror sync in progress?"
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
    exit 100 ;;
esac
for p in "$@"; do
    grep -qx -- "$p" "$STATE/refused" 2>/dev/null && exit 100
    # 32-bit Wine needs the security suite's i386 index, or its main suite.
    [ "$p" = wine32:i386 ] && [ -e "$STATE/broken" ] && ! echo "$*" | grep -q -- "-t $SUITE " && exit 100
done
case "$*" in *" -s "*) exit 0 ;; esac
for p in "$@"; do case "$p" in -*|"$SUITE"*) ;; *) echo "$p" >> "$STATE/installed" ;; esac; done
EOF
printf '#!/bin/sh\necho ja_JP.utf8\n' > "$work/bin/locale"
printf '#!/bin/sh\nexit 0\n' > "$work/bin/localedef"
printf '#!/bin/sh\necho 0\n' > "$work/bin/id"
# The release's own qemu, too slow to start a program.
printf '#!/bin/sh\necho "qemu-i386 version 7.2.19"\n' > "$work/bin/qemu-i386"
chmod +x "$work/bin"/*

# Runs install-deps WHAT for a scenario: sets out and status.
run() {
    local what=$1 runs_i386=$2
    out=$(STATE="$work/state" SUITE=$suite TOLVANE_APT_ETC="$work/state/etc" TOLVANE_DEPS_PAUSE=0 \
        TOLVANE_RUNS_I386=$runs_i386 PATH="$work/bin:$PATH" "$root/scripts/install-deps" "$what" 2>&1)
    status=$?
}
# A fresh state: nothing installed, no i386, no sources of ours.
fresh() {
    rm -rf "$work/state"
    mkdir -p "$work/state/etc/sources.list.d"
    : > "$work/state/installed"
    : > "$work/state/arches"
}
installed() { grep -qx -- "$1" "$work/state/installed"; }
said() { grep -q -- "$1" <<< "$out" || fail "no line \"$1\" in: $out"; }

name="broken mirror: retried, named, Wine from the main suite"
fresh; touch "$work/state/broken"
run all yes
[ "$status" = 0 ] || fail "status $status: $out"
[ "$(grep -c update "$work/state/calls")" = 3 ] || fail "apt-get update not tried three times"
said "index not fetched, going on without it: http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz (File has unexpected size"
said "Wine comes from $suite's main suite"
grep -q -- "-t $suite wine wine64 wine32:i386" "$work/state/calls" || fail "Wine not taken from $suite"
installed wine32:i386 || fail "wine32:i386 not installed"
installed tmux || fail "the native packages not installed"
installed g++-mingw-w64-x86-64-win32 && fail "the 64-bit cross compiler installed, but 32-bit Wine runs"
grep -qx i386 "$work/state/arches" || fail "i386 not added"

name="no 32-bit Wine at all: the 64-bit test build, said in one line"
fresh; touch "$work/state/broken"; echo wine32:i386 > "$work/state/refused"
run all yes
[ "$status" = 0 ] || fail "status $status: $out"
said "32-bit Wine cannot be installed here; the Wine tests will run the 64-bit test build"
installed wine64 && installed g++-mingw-w64-x86-64-win32 || fail "wine64 or the 64-bit cross compiler missing"
installed wine32:i386 && fail "wine32:i386 installed"

name="a kernel without 32-bit programs: qemu-user from backports"
fresh
run all no
[ "$status" = 0 ] || fail "status $status: $out"
said "this kernel runs no 32-bit programs"
grep -q "$suite-backports" "$work/state/etc/sources.list.d/tolvane-backports.sources" 2>/dev/null ||
    fail "no backports source"
grep -q -- "install -y -q --no-install-recommends -t $suite-backports qemu-user" "$work/state/calls" ||
    fail "qemu-user not installed from backports"
installed wine32:i386 || fail "wine32:i386 not installed"

name="native: only the machine's architecture, nothing of Wine's"
fresh; touch "$work/state/broken"
run native yes
[ "$status" = 0 ] || fail "status $status: $out"
grep -q "update -q -oAPT::Architectures::=amd64" "$work/state/calls" || fail "update not limited to amd64"
installed tmux || fail "tmux not installed"
grep -q "wine\|mingw\|xvfb" "$work/state/calls" && fail "a package of the Wine tests asked for"
[ -s "$work/state/arches" ] && fail "i386 added"

name="a package nothing replaces stops the run"
fresh; echo libncurses-dev > "$work/state/refused"
run native yes
[ "$status" = 1 ] || fail "status $status, not 1"
said "cannot install: .*libncurses-dev.*; nothing replaces them"

name="everything there: apt-get is not run"
fresh; rm -f "$work/state/calls"
for p in cmake g++ make gcc libgtest-dev libbenchmark-dev dpkg-dev libncurses-dev tmux clang-14 \
    libclang-rt-14-dev libfuzzer-14-dev python3 bc time; do echo "$p"; done > "$work/state/installed"
printf 'Types: deb-src\n' > "$work/state/etc/sources.list.d/any.sources"
run native yes
[ "$status" = 0 ] && ! [ -e "$work/state/calls" ] || fail "status $status, apt-get run: $out"

[ "$failed" = 0 ] && echo "install-deps: all scenarios passed"
exit "$failed"
