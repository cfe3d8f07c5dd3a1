# Front door: make | make run | make test | make windows | make bench | make install
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all build deps run test test-native test-sanitize windows bench install clean

all: build

build:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

deps:
	tools/install-deps.sh native

run: deps build
	tools/run.sh $(BUILD)/orchardia

test: deps test-native test-sanitize

test-native: build
	tools/with-xvfb.sh ctest --test-dir $(BUILD) --output-on-failure -j 2

# The unit and render tests again under AddressSanitizer and UBSan.
test-sanitize:
	cmake -S . -B $(ASAN_BUILD) -DORCHARDIA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  tools/with-xvfb.sh ctest --test-dir $(ASAN_BUILD) --output-on-failure -L 'unit|gl' -j 2

bench: deps build
	@for b in bench/*.sh; do [ -e "$$b" ] && bash "$$b" $(BUILD); done

PREFIX ?= /usr/local
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-windows
