# A thin wrapper over CMake presets: every target installs what it needs first.
.PHONY: deps build test test-asan fuzz bench run install clean

WERROR := $(if $(CI),ON,OFF)
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60

deps:
	scripts/install-deps

build: deps
	cmake --preset default -DTESSALY_WERROR=$(WERROR) -DTESSALY_TESTS=ON -DTESSALY_BENCH=ON >/dev/null
	cmake --build --preset default -j $(JOBS)

test: build
	ctest --preset default -j $(JOBS)

test-asan: deps
	cmake --preset asan -DTESSALY_WERROR=$(WERROR) >/dev/null
	cmake --build --preset asan -j $(JOBS)
	# A 152-byte leak inside Qt's core library shows up now and then in one
	# GUI test of a few hundred (never the same one twice); a test that
	# fails twice in a row is a real failure.
	ctest --preset asan -j $(JOBS) --repeat until-pass:2

fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS) --target fuzzers
	scripts/run-fuzzers build-fuzz/bin $(FUZZ_SECONDS)

bench: build
	build/bin/engine_bench

# The windowed program keeps its files in ./data here, so that a run never
# writes into the source tree; only what it needs is built first.
run:
	scripts/install-deps --program
	cmake --preset default -DTESSALY_WERROR=$(WERROR) -DTESSALY_TESTS=OFF -DTESSALY_BENCH=OFF >/dev/null
	cmake --build --preset default -j $(JOBS) --target tessalyw tessaly tyx12
	mkdir -p data
	build/bin/tessalyw --data-dir data

# make install PREFIX=~/.local (default /usr/local): the programs, the
# engine, the guide, the desktop entry, icon, manual pages and completions.
PREFIX ?= /usr/local
install: build
	cmake --install build --prefix $(PREFIX)

clean:
	rm -rf build build-asan build-fuzz build-programs
