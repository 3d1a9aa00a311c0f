# The two commands every user and CI rely on:
#   make run   install what building and running need, build the programs, start the program
#   make test  install what the tests need too, build, run every test (plain and sanitized)
# Each target installs only the package groups of scripts/install-deps.sh it needs.
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
PREFIX ?= /usr/local
PROGRAMS = veltramarlin veltramarlin-cli veltramarlin-sim vm_install_files

.PHONY: all deps build programs run test test-plain test-asan test-fuzz build-asan bench fuzz \
        format clean install uninstall package windows windows-installer test-windows

all: build

deps:
	@bash scripts/install-deps.sh build

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

programs: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target $(PROGRAMS)

run: programs
	./$(BUILD)/app/veltramarlin

# A build configured before GoogleTest was installed has the tests off; turn them on.
test-plain:
	@bash scripts/install-deps.sh build test package
	$(MAKE) $(BUILD)/build.ninja
	grep -q '^VM_TESTS:BOOL=ON' $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -DVM_TESTS=ON
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

$(ASAN_BUILD)/build.ninja:
	@bash scripts/install-deps.sh build test
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVM_SANITIZE=ON -DVM_BENCH=OFF

build-asan: $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/support/lsan.supp \
	  ctest --output-on-failure -j $(JOBS)

# A short, fixed libFuzzer run of every parser; fails on any finding.
test-fuzz:
	@bash scripts/install-deps.sh build fuzz
	bash scripts/fuzz.sh 12

test: test-plain test-asan test-fuzz

bench:
	@bash scripts/install-deps.sh build bench
	$(MAKE) build
	bash bench/run.sh $(BUILD)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz

# Runs every fuzz target for FUZZ_SECONDS each (default 60).
FUZZ_SECONDS ?= 60
fuzz:
	@bash scripts/install-deps.sh build fuzz
	bash scripts/fuzz.sh $(FUZZ_SECONDS)

# The programs and their desktop files into PREFIX (default /usr/local; DESTDIR
# honoured), with sudo when PREFIX is not yours. `make uninstall` removes what
# the last install wrote (kept apart from cmake's manifest, which cpack overwrites).
ROOT_IF_NEEDED = p="$(DESTDIR)$(PREFIX)"; while [ ! -e "$$p" ]; do p=$$(dirname "$$p"); done; \
  if [ -w "$$p" ]; then sudo=; else sudo=sudo; fi
install: programs
	@$(ROOT_IF_NEEDED); set -ex; $$sudo cmake --install $(BUILD) --prefix "$(PREFIX)"; \
	  cp $(BUILD)/install_manifest.txt $(BUILD)/installed-files.txt; \
	  $$sudo rm -f $(BUILD)/install_manifest.txt
	@if [ -z "$(DESTDIR)" ] && command -v update-mime-database > /dev/null; then \
	  $(ROOT_IF_NEEDED); $$sudo update-mime-database "$(PREFIX)/share/mime" > /dev/null 2>&1; fi

uninstall:
	@test -f $(BUILD)/installed-files.txt || { echo "nothing installed from $(BUILD)"; exit 1; }
	@$(ROOT_IF_NEEDED); set -ex; xargs -d '\n' $$sudo rm -f < $(BUILD)/installed-files.txt
	rm -f $(BUILD)/installed-files.txt
	@if [ -z "$(DESTDIR)" ] && command -v update-mime-database > /dev/null; then \
	  $(ROOT_IF_NEEDED); $$sudo update-mime-database "$(PREFIX)/share/mime" > /dev/null 2>&1; fi

# build/veltramarlin_VERSION-1_ARCH.deb
package: programs
	@bash scripts/install-deps.sh package
	cd $(BUILD) && cpack

# Windows: the core, veltramarlin-cli.exe, the core's tests, the installer and
# the portable .zip, cross-built with mingw-w64 and run under wine (see tests/windows/).
WIN_BUILD ?= build-win

# The cross compilers, wine and GoogleTest's sources are in the test group.
$(WIN_BUILD)/build.ninja:
	@bash scripts/install-deps.sh build test
	cmake -S . -B $(WIN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DVM_BENCH=OFF

windows: $(WIN_BUILD)/build.ninja
	cmake --build $(WIN_BUILD) -j $(JOBS)

# Only the programs, the installer and the portable .zip (in $(WIN_BUILD)/dist/).
windows-installer: $(WIN_BUILD)/build.ninja
	cmake --build $(WIN_BUILD) -j $(JOBS) --target windows-dist

test-windows: windows $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target veltramarlin-cli veltramarlin-sim
	bash tests/windows/run.sh $(BUILD) $(WIN_BUILD)
