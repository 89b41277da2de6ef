# Set-up, build and run in one step each: `make run`, `make test`.
JOBS ?= $(shell nproc)
# Said each time, so that a build folder CI configured does not keep its -Werror for later builds.
WERROR := -DVORNI_WERROR=$(if $(CI),ON,OFF)
# CMake's own make runs inside this one: without this every step is framed by "Entering directory" lines.
MAKEFLAGS += --no-print-directory
unexport MAKELEVEL

.PHONY: run build test test-sanitize soak bench package format-check deps deps-test deps-package clean

run: build
	./build/release/ui/vorni-game

# The game alone: nothing of the tests or the benchmarks is needed or built.
build: deps
	@cmake --preset release $(WERROR) >/dev/null
	@cmake --build --preset release -j $(JOBS)
	@echo "Built the game: build/release/ui/vorni-game"

test: deps-test
	@cmake --preset dev $(WERROR) >/dev/null
	@cmake --build --preset dev -j $(JOBS)
	ctest --preset dev

test-sanitize: deps-test
	@cmake --preset asan $(WERROR) >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	ctest --preset asan

# The window played at random for 10^6 events (SOAK_SEED=n for another sequence), against a game of its own.
soak: deps-test
	@cmake --preset dev $(WERROR) >/dev/null
	@cmake --build --preset dev -j $(JOBS) --target vorni-ui-soak-tests
	QT_QPA_PLATFORM=offscreen QTEST_FUNCTION_TIMEOUT=86400000 SOAK_EVENTS=$${SOAK_EVENTS:-1000000} \
	    ./build/dev/tests/ui/vorni-ui-soak-tests -maxwarnings 100

bench: deps-test
	@cmake --preset bench $(WERROR) >/dev/null
	@cmake --build --preset bench -j $(JOBS)
	./build/bench/bench/vorni-bench
	./build/bench/bench/vorni-ui-bench

# A Debian package of the game, installed under /usr, with its library dependencies worked out.
package: deps-package
	@cmake --preset package $(WERROR) >/dev/null
	@cmake --build --preset package -j $(JOBS)
	@cd build/package && umask 022 && cpack -G DEB
	@echo "Built the package: $$(ls build/package/vorni-game_*.deb)"

# Every C++ source as the checked-in .clang-format has it; CI fails on one that is not.
format-check: deps-test
	@git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

deps:
	@scripts/install-deps

deps-test:
	@scripts/install-deps --test

deps-package:
	@scripts/install-deps --package

clean:
	rm -rf build
