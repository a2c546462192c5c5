# Set-up, build, run and test in one place; every target installs what is missing first.
BUILD   ?= build
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps configure build run test bench clean

all: build

deps:
	./scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./scripts/run-explorer $(BUILD)

test: build
	./scripts/run-gui-tests ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: build
	./scripts/run-gui-tests ./scripts/run-benchmarks $(BUILD)

clean:
	rm -rf $(BUILD)
