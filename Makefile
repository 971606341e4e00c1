# SPDX-FileCopyrightText: 2026 Quintor-Entwickler
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Two entry points for a fresh Debian 12 machine: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

# The suite runs without a display or a sound card.
HEADLESS = QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy

.PHONY: all deps configure build run test test-sanitize fuzz clean

all: build

deps:
	@./tools/install-deps.sh

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: $(BUILD_DIR)/build.ninja

build: deps configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/Quintor

test: build
	cd $(BUILD_DIR) && $(HEADLESS) ctest --output-on-failure -j $(JOBS)

# The whole suite again with AddressSanitizer and UndefinedBehaviorSanitizer.
ASAN_DIR ?= build-asan
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

$(ASAN_DIR)/build.ninja:
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUINTOR_SANITIZE=ON $(CMAKE_FLAGS)

test-sanitize: deps $(ASAN_DIR)/build.ninja
	$(HEADLESS) $(SANITIZE_ENV) cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && $(HEADLESS) $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS)

# libFuzzer targets, each run for FUZZ_SECONDS on a copy of its seed corpus.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60

fuzz: deps
	@./fuzz/run.sh "$(FUZZ_DIR)" "$(FUZZ_SECONDS)" "$(JOBS)"

# The program with its pictures, sounds and help pages in PREFIX/lib/quintor,
# started by PREFIX/bin/quintor and listed in the desktop's menu; DESTDIR is
# put in front of every path for staged installs.
PREFIX ?= /usr/local

.PHONY: install deb

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# The Debian package quintor_<version>_<arch>.deb in this folder, built in
# DEB_DIR from a copy of the sources and checked with lintian.
DEB_DIR ?= build-deb

deb:
	@./packaging/build-deb.sh "$(DEB_DIR)"

# Speed, memory and start-up figures of a release build in BENCH_DIR, as one
# table; reports, never fails.
BENCH_DIR ?= build-bench

.PHONY: bench

bench:
	@./bench/run.sh "$(BENCH_DIR)" "$(JOBS)"

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
