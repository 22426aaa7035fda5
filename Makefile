# Thin front to CMake (`make run ARGS="--pool 2026"` passes options to the program). `make run` first installs whatever Debian packages
# building and running need, `make test` (and bench, fuzz-smoke) those and the
# test tools (scripts/install-deps).
JOBS ?= 2
CMAKE_WERROR := -DPATHWICK_WERROR=ON

.PHONY: all deps test-deps build run test test-unit test-asan fuzz-smoke check-hints bench bench-learning clean package

all: build

deps:
	@bash scripts/install-deps run

test-deps:
	@bash scripts/install-deps test

build: deps
	cmake --preset release $(CMAKE_WERROR) >/dev/null
	cmake --build build/release -j $(JOBS)

run: build
	./build/release/pathwick $(ARGS)

test-unit: test-deps
	cmake --preset default $(CMAKE_WERROR) >/dev/null
	cmake --build build/default -j $(JOBS)
	ctest --test-dir build/default --output-on-failure -j $(JOBS)

test-asan: test-deps
	cmake --preset asan $(CMAKE_WERROR) >/dev/null
	cmake --build build/asan -j $(JOBS)
	ctest --test-dir build/asan --output-on-failure -j $(JOBS) -LE e2e

fuzz-smoke: test-deps
	bash fuzz/run-smoke

# The sample hints files against their pools: one hint per question, in
# order, within two screen lines, no choice letters, sound worked steps.
check-hints: test-deps
	python3 tools/check_hints.py --pool 2018
	python3 tools/check_hints.py --pool 2026
	python3 tools/check_hints.py --pool general
	python3 tools/check_hints.py --pool extra

test: check-hints test-unit test-asan fuzz-smoke

bench: build test-deps
	bash bench/run

# Simulated learners studying with the drill, Review and an oracle
# (bench/README.md); about half a minute on two cores.
bench-learning: deps
	cmake --preset release $(CMAKE_WERROR) >/dev/null
	cmake --build build/release -j $(JOBS) --target pathwick_bench_learning
	./build/release/pathwick_bench_learning --threads $(JOBS)

# The Debian package of the release build (tests off), in build/release.
package: build
	cd build/release && cpack -G DEB
	@ls build/release/pathwick_*.deb

clean:
	rm -rf build
