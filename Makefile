# Tolvane: `make run` starts the calculator in the terminal, `make test`
# installs what is missing, builds everything and runs every test.

NATIVE := build/native
ASAN   := build/asan
WIN32  := build/win32
JOBS   ?= $(shell nproc)

.PHONY: all build run run-gui test differential deps deps-native native asan win32 bench format clean

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

# Many more random sessions through both builds than make test runs.
DIFF_SESSIONS ?= 100
differential: build
	TOLVANE_DIFF_SESSIONS=$(DIFF_SESSIONS) TOLVANE_DIFF_SEED=$${TOLVANE_DIFF_SEED:-$$(date +%s)} \
	  TOLVANE_NATIVE=$(CURDIR)/$(NATIVE)/tolvane scripts/wine-env tests/wine/differential.sh

bench: deps-native native
	$(NATIVE)/benchmarks

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
