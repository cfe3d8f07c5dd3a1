# Front door: make | make run | make test | make windows | make windows-installer | make bench | make install | make deb
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
MUTANTS_BUILD ?= build-mutants
MUTANTS_FLAGS ?=
WINDOWS_BUILD ?= build-windows
DEB_BUILD ?= build-deb
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all build deps deps-run run test test-native mutants test-sanitize fuzz fuzz-build fuzz-coverage test-fuzz-smoke windows windows-installer deps-windows test-windows bench install uninstall deb deps-deb clean

all: build

build:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

deps:
	tools/install-deps.sh native

deps-run:
	tools/install-deps.sh run

deps-deb:
	tools/install-deps.sh deb

# Only what the saver needs: its packages and the one program, no tests.
run: deps-run
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target orchardia
	tools/run.sh $(BUILD)/orchardia

test: deps deps-windows test-native test-sanitize test-fuzz-smoke test-windows

test-native: build
	tools/with-xvfb.sh ctest --test-dir $(BUILD) --output-on-failure --no-tests=error --timeout 300 -j 2

# The unit and render tests again under AddressSanitizer and UBSan.
test-sanitize:
	cmake -S . -B $(ASAN_BUILD) -DORCHARDIA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  tools/with-xvfb.sh ctest --test-dir $(ASAN_BUILD) --output-on-failure --no-tests=error --timeout 300 -L 'unit|gl' -j 2

# Single-point mutants of the program's lines changed since BASE, each built in
# $(MUTANTS_BUILD) and run against the tests that see its file (tools/mutants.py --help).
mutants:
	@test -n "$(BASE)" || { echo "make mutants: name the commit to compare with, BASE=<commit>" >&2; exit 2; }
	tools/mutants.py --base $(BASE) --build $(MUTANTS_BUILD) --jobs 2 $(MUTANTS_FLAGS)

# libFuzzer targets (clang, ASan+UBSan) over an instrumented libjpeg, in their own tree.
fuzz-build:
	fuzz/libjpeg.sh $(FUZZ_BUILD)/deps || echo "fuzz: no instrumented libjpeg; using the system's" >&2
	CC=clang CXX=clang++ cmake -S fuzz -B $(FUZZ_BUILD) -DFUZZ_JPEG_PREFIX=$(CURDIR)/$(FUZZ_BUILD)/deps/prefix >/dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

# Each target for FUZZ_SECONDS from its seed corpus: executions, coverage, findings.
fuzz: deps fuzz-build
	FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run.sh $(FUZZ_BUILD)

# Line and branch coverage of the program's code that the fuzz corpora reach.
fuzz-coverage: fuzz-build
	fuzz/coverage.sh $(FUZZ_BUILD)

# Each target's seeds plus a few seconds of fuzzing, so CI catches a regression.
test-fuzz-smoke: fuzz-build
	fuzz/run.sh --smoke $(FUZZ_BUILD)

# Orchardia.scr for 64-bit Windows, cross-built with mingw-w64.
windows: deps-windows
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake $(CMAKE_FLAGS) >/dev/null
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target orchardia

# build-windows/Orchardia-<version>-setup.exe, the 64-bit installer, made with NSIS.
windows-installer: windows
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target windows_installer

deps-windows:
	ORCHARDIA_WINDOWS_DEPS=$(WINDOWS_BUILD)/deps tools/install-deps.sh windows

# The Windows program and its tests, run under Wine on a private display.
test-windows: windows
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	tools/with-xvfb.sh ctest --test-dir $(WINDOWS_BUILD) --output-on-failure

bench: deps build
	@for b in bench/*.sh; do [ -e "$$b" ] && bash "$$b" $(BUILD); done

# The release build in $(BUILD), stripped; compiled as the build folder's owner, never as root.
PREFIX ?= /usr/local
install:
	DESTDIR=$(DESTDIR) tools/install.sh $(BUILD) $(PREFIX)

# Removes the files the last make install listed in its manifest, nothing else.
uninstall:
	@test -f $(BUILD)/install_manifest.txt || { echo "make uninstall: no $(BUILD)/install_manifest.txt (nothing installed from $(BUILD))" >&2; exit 1; }
	xargs -d '\n' rm -fv -- < $(BUILD)/install_manifest.txt

# The Debian package, built out of the tree: $(DEB_BUILD)/orchardia_<version>_amd64.deb.
deb: deps-deb
	JOBS=$(JOBS) tools/make-deb.sh $(DEB_BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(MUTANTS_BUILD) $(FUZZ_BUILD) $(FUZZ_BUILD)-coverage build-windows $(DEB_BUILD)
