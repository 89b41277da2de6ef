# Set-up, build and run in one step each: `make run`, `make test`.
JOBS ?= $(shell nproc)
WERROR := $(if $(CI),-DVORNI_WERROR=ON,)

.PHONY: run build test test-sanitize bench deps deps-test clean

run: build
	./build/release/ui/vorni-game

build: deps
	cmake --preset release $(WERROR) >/dev/null
	cmake --build --preset release -j $(JOBS)

test: deps-test
	cmake --preset dev $(WERROR) >/dev/null
	cmake --build --preset dev -j $(JOBS)
	ctest --preset dev

test-sanitize: deps-test
	cmake --preset asan $(WERROR) >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan

bench: deps-test
	cmake --preset release $(WERROR) >/dev/null
	cmake --build --preset release -j $(JOBS)
	./build/release/bench/vorni-bench
	./build/release/bench/vorni-ui-bench

deps:
	@scripts/install-deps

deps-test:
	@scripts/install-deps --test

clean:
	rm -rf build
