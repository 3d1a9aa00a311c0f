# The two commands every user and CI rely on:
#   make run   install what is missing, build, start the program
#   make test  install what is missing, build, run every test (plain and sanitized)
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan

.PHONY: all deps build run test test-plain test-asan test-fuzz build-asan bench fuzz format clean windows test-windows

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/app/veltramarlin

test-plain: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVM_SANITIZE=ON -DVM_BENCH=OFF

build-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/support/lsan.supp \
	  ctest --output-on-failure -j $(JOBS)

# A short, fixed libFuzzer run of every parser; fails on any finding.
test-fuzz: deps
	bash scripts/fuzz.sh 12

test: test-plain test-asan test-fuzz

bench: build
	bash bench/run.sh $(BUILD)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz

# Runs every fuzz target for FUZZ_SECONDS each (default 60).
FUZZ_SECONDS ?= 60
fuzz: deps
	bash scripts/fuzz.sh $(FUZZ_SECONDS)

# Windows: the core, veltramarlin-cli.exe and the core's tests, cross-built with
# mingw-w64 and run under wine (see tests/windows/).
WIN_BUILD ?= build-win

$(WIN_BUILD)/build.ninja:
	cmake -S . -B $(WIN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DVM_BENCH=OFF

windows: deps $(WIN_BUILD)/build.ninja
	cmake --build $(WIN_BUILD) -j $(JOBS)

test-windows: windows $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target veltramarlin-cli veltramarlin-sim
	bash tests/windows/run.sh $(BUILD) $(WIN_BUILD)
