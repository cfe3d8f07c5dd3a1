# Front door: make | make run | make test | make windows | make bench | make install
BUILD ?= build
ASAN_BUILD ?= build-asan
WINDOWS_BUILD ?= build-windows
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all build deps run test test-native test-sanitize windows deps-windows test-windows bench install clean

all: build

build:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

deps:
	tools/install-deps.sh native

run: deps build
	tools/run.sh $(BUILD)/orchardia

test: deps test-native test-sanitize test-windows

test-native: build
	tools/with-xvfb.sh ctest --test-dir $(BUILD) --output-on-failure -j 2

# The unit and render tests again under AddressSanitizer and UBSan.
test-sanitize:
	cmake -S . -B $(ASAN_BUILD) -DORCHARDIA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  tools/with-xvfb.sh ctest --test-dir $(ASAN_BUILD) --output-on-failure -L 'unit|gl' -j 2

# Orchardia.scr for 64-bit Windows, cross-built with mingw-w64.
windows: deps-windows
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake $(CMAKE_FLAGS) >/dev/null
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target orchardia

deps-windows:
	ORCHARDIA_WINDOWS_DEPS=$(WINDOWS_BUILD)/deps tools/install-deps.sh windows

# The Windows program and its tests, run under Wine on a private display.
test-windows: windows
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	tools/with-xvfb.sh ctest --test-dir $(WINDOWS_BUILD) --output-on-failure

bench: deps build
	@for b in bench/*.sh; do [ -e "$$b" ] && bash "$$b" $(BUILD); done

PREFIX ?= /usr/local
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-windows
