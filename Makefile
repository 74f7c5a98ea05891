# Thin wrappers over CMake; the README names `make run` and `make test`.
JOBS ?= $(shell nproc)
BUILD_DIR ?= build/release
TEST_DIR ?= build/asan
BENCH_DIR ?= build/bench
FUZZ_DIR ?= build/fuzz
PACKAGE_DIR ?= build/package
FUZZ_SECONDS ?= 60
# Executions per target instead of a time limit, e.g. make fuzz FUZZ_RUNS=10000000.
FUZZ_RUNS ?=
# The fuzz build: the two cores and the targets only, with clang.
FUZZ_CONFIGURE = cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
	-DCMAKE_BUILD_TYPE=RelWithDebInfo -DBEMSOL_FUZZ=ON \
	$(LAUNCHER)

# Rebuilds in another clone of the same tree hit the compiler cache when there is one.
CCACHE := $(shell command -v ccache 2>/dev/null)
ifneq ($(CCACHE),)
LAUNCHER := -DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE)
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
endif

.PHONY: deps build run test bench fuzz fuzz-merge package clean

deps:
	bash scripts/install-deps

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER)
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Only the two programs and what they need, so a first run does not wait for the tests.
run: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER)
	cmake --build $(BUILD_DIR) -j $(JOBS) --target bemsol dravel
	bash scripts/run-bemsol $(BUILD_DIR)

test: deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBEMSOL_SANITIZE=ON $(LAUNCHER)
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS)
	$(FUZZ_CONFIGURE)
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	bash scripts/run-fuzzers $(FUZZ_DIR) once

bench: deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBEMSOL_BENCH=ON $(LAUNCHER)
	cmake --build $(BENCH_DIR) -j $(JOBS)
	bash scripts/run-benchmarks $(BENCH_DIR)
	# The crash-safety test at length: writers killed at many more moments.
	CRASHSAFE_ROUNDS=500 $(BENCH_DIR)/bin/tst_crashsafewrite

fuzz: deps
	$(FUZZ_CONFIGURE)
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	bash scripts/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_RUNS)

# Minimises the kept corpora with what the runs found (commit fuzz/*/corpus afterwards).
fuzz-merge:
	bash scripts/run-fuzzers $(FUZZ_DIR) merge

# A Debian package in $(PACKAGE_DIR), from a build without the tests.
package: deps
	cmake -S . -B $(PACKAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBEMSOL_TESTS=OFF $(LAUNCHER)
	cmake --build $(PACKAGE_DIR) -j $(JOBS) --target package

clean:
	rm -rf build
