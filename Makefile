# Two entry points: `make` sets up, builds and runs the editor's main job;
# `make test` sets up, builds (with AddressSanitizer and UBSan) and runs every test;
# `make fuzz` runs each fuzz target for FUZZ_SECONDS (clang's libFuzzer, own build folder).
BUILD     ?= build
BENCHDIR  ?= build-bench
FUZZ_SECONDS ?= 300
JOBS      ?= $(shell nproc)

.PHONY: all run test build setup bench fuzz clean

all: run

setup:
	@scripts/setup

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DOVINTA_SANITIZE=ON -DOVINTA_WERROR=ON

build: setup $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	scripts/run-main $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

$(BENCHDIR)/build.ninja:
	cmake -S . -B $(BENCHDIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DOVINTA_TESTS=OFF -DOVINTA_BENCH=ON

bench: setup $(BENCHDIR)/build.ninja
	cmake --build $(BENCHDIR) -j $(JOBS)
	scripts/run-bench $(BENCHDIR)

fuzz: setup
	scripts/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(BENCHDIR) build-fuzz
