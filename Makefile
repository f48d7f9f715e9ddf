# Tolvane: `make run` starts the calculator in the terminal, `make test`
# installs what is missing, builds everything and runs every test.

NATIVE := build/native
ASAN   := build/asan
WIN32  := build/win32
WIN64  := build/win64
FUZZ   := build/fuzz
FUZZ_SECONDS ?= 60
JOBS   ?= $(shell nproc)

.PHONY: install install-files uninstall all build run run-gui test differential deps deps-native native asan win32 win64 fuzz-build fuzz bench bench-peers bench-startup format clean

all: build

deps:
	scripts/install-deps all

deps-native:
	scripts/install-deps native

# NATIVE_TARGET: one target only (make run builds just the program).
native:
	cmake -S . -B $(NATIVE) -DTOLVANE_ASAN_DIR=$(CURDIR)/$(ASAN) -DTOLVANE_WIN32_DIR=$(CURDIR)/$(WIN32) \
	    -DTOLVANE_FUZZ_DIR=$(CURDIR)/$(FUZZ) >/dev/null
	cmake --build $(NATIVE) -j $(JOBS) $(if $(NATIVE_TARGET),--target $(NATIVE_TARGET))

asan:
	cmake -S . -B $(ASAN) -DTOLVANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build $(ASAN) -j $(JOBS)

win32:
	cmake -S . -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
	cmake --build $(WIN32) -j $(JOBS)

# The 64-bit test build of the Windows sources, the last resort of machines
# where 32-bit Wine cannot be installed or run (scripts/wine-env --arch says win64).
win64:
	cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake \
	    -DTOLVANE_MINGW_PREFIX=x86_64-w64-mingw32 -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(WIN64) -j $(JOBS)

# The fuzz targets: clang and libFuzzer, AddressSanitizer and UBSan.
fuzz-build:
	cmake -S . -B $(FUZZ) -DTOLVANE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build $(FUZZ) -j $(JOBS)

# Every fuzz target for FUZZ_SECONDS, one after the other.
fuzz: deps fuzz-build
	for t in statement keys script settings codepage; do \
	    fuzz/run-fuzz $(CURDIR)/$(FUZZ) $$t $(FUZZ_SECONDS) || exit 1; \
	done

build: deps
	$(MAKE) native asan win32 fuzz-build $(if $(filter win64,$(shell scripts/wine-env --arch)),win64)

# make install [PREFIX=/usr/local] [DESTDIR=]: the terminal program, the help
# document it shows on F1 and its manual page. Each file: what the build made,
# where it goes under $(PREFIX), its mode.
PREFIX ?= /usr/local
INSTALLED := tolvane:bin/tolvane:755 tolvane-help.txt:share/tolvane/help.txt:644 \
             tolvane.1:share/man/man1/tolvane.1:644

install: native
	$(MAKE) install-files

install-files:
	@for f in $(INSTALLED); do set -- $$(echo $$f | tr : ' '); \
	    install -D -m $$3 $(NATIVE)/$$1 "$(DESTDIR)$(PREFIX)/$$2" || exit 1; done

uninstall:
	@for f in $(INSTALLED); do set -- $$(echo $$f | tr : ' '); rm -f "$(DESTDIR)$(PREFIX)/$$2"; done
	-rmdir "$(DESTDIR)$(PREFIX)/share/tolvane" 2>/dev/null

run: deps-native
	$(MAKE) native NATIVE_TARGET=tolvane
	$(NATIVE)/tolvane

run-gui: deps native win32
	scripts/run-gui

test: build
	@scripts/wine-env --describe
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

# Many more random sessions through both builds than make test runs.
DIFF_SESSIONS ?= 100
differential: build
	TOLVANE_DIFF_SESSIONS=$(DIFF_SESSIONS) TOLVANE_DIFF_SEED=$${TOLVANE_DIFF_SEED:-$$(date +%s)} \
	  TOLVANE_NATIVE=$(CURDIR)/$(NATIVE)/tolvane scripts/wine-env tests/wine/differential.sh

bench: deps-native native
	$(NATIVE)/benchmarks

# Tolvane beside bc -l and Python on the same generated workloads, then the
# Google Benchmark cases of a typed statement and of the history bookkeeping.
bench-peers: deps-native native
	python3 bench/peers.py $(NATIVE)/tolvane
	$(NATIVE)/benchmarks --benchmark_filter='TypedStatement|HistoryBookkeeping'

# tolvane.exe's start-up beside an empty Win32 window program, under Wine.
bench-startup: deps native win32
	scripts/wine-env python3 bench/startup.py

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
