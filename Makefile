# A thin wrapper over CMake presets: every target installs what it needs first.
.PHONY: deps build test test-asan fuzz bench run clean

WERROR := $(if $(CI),ON,OFF)
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60

deps:
	scripts/install-deps

build: deps
	cmake --preset default -DTESSALY_WERROR=$(WERROR) >/dev/null
	cmake --build --preset default -j $(JOBS)

test: build
	ctest --preset default -j $(JOBS)

test-asan: deps
	cmake --preset asan -DTESSALY_WERROR=$(WERROR) >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)
	scripts/run-fuzzers build-fuzz/bin $(FUZZ_SECONDS)

bench: build
	build/bin/engine_bench

# Until the windowed program exists, `make run` runs the command-line search:
# ARGS="-d /some/folder word" searches there; without ARGS it shows the help
# and a sample search of this repository's documents.
run: build
	@scripts/run-tessaly build/bin $(ARGS)

clean:
	rm -rf build build-asan build-fuzz
