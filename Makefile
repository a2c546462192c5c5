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

# Only the two programs: the tests and benchmarks wait for `make test` and `make bench`.
run: configure
	@echo "Building the two programs in $(BUILD) (log: $(BUILD)/run-build.log)"
	@cmake --build $(BUILD) -j $(JOBS) --target zephyra zephyra-explorer >$(BUILD)/run-build.log 2>&1 || \
	  { cat $(BUILD)/run-build.log; exit 1; }
	@./scripts/run-explorer $(BUILD)

# Every widget test starts an X server of its own (scripts/with-xvfb); the file tests run as an
# ordinary user (scripts/as-user).
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: build
	./scripts/with-xvfb ./scripts/run-benchmarks $(BUILD)

clean:
	rm -rf $(BUILD)

# Every test, the window program's included, under AddressSanitizer and UndefinedBehaviorSanitizer.
# The tests with windows run without the leak check: the GL driver is unloaded before it, so the
# memory the driver keeps cannot be told from the program's.
SANITIZE_BUILD ?= build-sanitize
SANITIZE_FLAGS := -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer

# The window tests run without the leak check: Mesa is unloaded before it, so its allocations would
# read as leaks.
.PHONY: sanitize
sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEPHYRA_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)"
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS) -L headless
	ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS) -L gui


# libFuzzer programs (clang) over the codes, the configuration file and the documents; each runs for
# FUZZ_SECONDS from the committed seeds. A finding stops the run and leaves the input in
# $(FUZZ_BUILD)/artifacts: mend the fault and add the input to tests/fuzz/corpus/<target>/.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := attractor_code configuration document picture command_line
FUZZ_FLAGS   := -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer

.PHONY: fuzz fuzz-build
fuzz-build:
	./scripts/install-deps --sanitize
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DZEPHYRA_GUI=OFF -DZEPHYRA_BENCH=OFF -DZEPHYRA_FUZZ=ON \
	  -DCMAKE_CXX_FLAGS="$(FUZZ_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))

fuzz: fuzz-build
	@set -e; mkdir -p $(FUZZ_BUILD)/artifacts; for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  echo "fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  $(FUZZ_BUILD)/tests/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	    -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/artifacts/$$t- \
	    $$(case $$t in attractor_code) ;; command_line) echo -dict=tests/fuzz/command_line.dict;; *) echo -dict=tests/fuzz/xml.dict;; esac) \
	    $(FUZZ_BUILD)/corpus/$$t tests/fuzz/corpus/$$t; \
	done
