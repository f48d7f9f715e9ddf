# Tolvane: `make run` starts the calculator in the terminal, `make test`
# installs what is missing, builds everything and runs every test.

NATIVE := build/native
ASAN   := build/asan
WIN32  := build/win32
JOBS   ?= $(shell nproc)

.PHONY: all build run run-gui test deps deps-native native asan win32 bench bench-peers bench-startup format clean

all: build

deps:
	scripts/install-deps all

deps-native:
	scripts/install-deps native

native:
	cmake -S . -B $(NATIVE) -DTOLVANE_ASAN_DIR=$(CURDIR)/$(ASAN) -DTOLVANE_WIN32_DIR=$(CURDIR)/$(WIN32) >/dev/null
	cmake --build $(NATIVE) -j $(JOBS)

asan:
	cmake -S . -B $(ASAN) -DTOLVANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build $(ASAN) -j $(JOBS)

win32:
	cmake -S . -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(WIN32) -j $(JOBS)

build: deps
	$(MAKE) native asan win32

run: deps-native native
	$(NATIVE)/tolvane

run-gui: deps native win32
	scripts/run-gui

test: build
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

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
