# Thin wrappers over CMake; the README names `make run` and `make test`.
JOBS ?= $(shell nproc)
BUILD_DIR ?= build/release
TEST_DIR ?= build/asan
BENCH_DIR ?= build/bench
FUZZ_DIR ?= build/fuzz
PACKAGE_DIR ?= build/package
FUZZ_SECONDS ?= 60

# Rebuilds in another clone of the same tree hit the compiler cache when there is one.
CCACHE := $(shell command -v ccache 2>/dev/null)
ifneq ($(CCACHE),)
LAUNCHER := -DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE)
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
endif

.PHONY: deps build run test bench fuzz package clean

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

bench: deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBEMSOL_BENCH=ON $(LAUNCHER)
	cmake --build $(BENCH_DIR) -j $(JOBS)
	bash scripts/run-benchmarks $(BENCH_DIR)

fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBEMSOL_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	bash scripts/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

# A Debian package in $(PACKAGE_DIR), from a build without the tests.
package: deps
	cmake -S . -B $(PACKAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBEMSOL_TESTS=OFF $(LAUNCHER)
	cmake --build $(PACKAGE_DIR) -j $(JOBS) --target package

clean:
	rm -rf build
