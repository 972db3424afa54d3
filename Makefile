# vuzed: one-command set-up on a fresh Debian 12 machine.
#   make run   - install missing packages, build, play
#   make test  - install missing packages, build the suite with sanitizers, run it
#   make deps  - only install the missing Debian packages
#   make package - build a Debian package of the game (build/vuzed_*.deb)
#   make soak  - an optimised build plays the main game for SOAK_PASSES passes;
#                fails on memory growth or any script report (tools/soak.sh)

PACKAGES := build-essential cmake ninja-build pkg-config \
            libsdl2-dev libepoxy-dev libvorbis-dev libogg-dev \
            libfreetype-dev libfontconfig-dev fonts-ipafont-gothic \
            libgl1-mesa-dri libpng-dev libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev \
            file

BUILD      ?= build
TEST_BUILD ?= build-test
JOBS       ?= 2
GENERATOR  := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

ifeq ($(shell id -u),0)
SUDO :=
else
SUDO := sudo
endif

TSAN_BUILD ?= build-tsan
# Tests that run the mixer's refill thread beside the game thread.
TSAN_TESTS ?= Zudezu|Mixer|Music|Stream|Sound

SOAK_BUILD ?= build-soak
SOAK_PASSES ?= 216000

BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_RUNS ?=
# AddressSanitizer fills every new block and keeps 256 MB of freed ones by
# default; for the fuzzers' many small allocations that costs more time than
# the run itself. Use-after-free is still caught within the smaller quarantine.
FUZZ_ASAN_OPTIONS ?= max_malloc_fill_size=0:quarantine_size_mb=32

.PHONY: deps build run test package tsan soak bench fuzz clean

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	else \
	  echo "All packages present."; \
	fi

build: deps
	@if [ ! -f $(BUILD)/CMakeCache.txt ]; then cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo; fi
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./vuzed

test: deps
	@if [ ! -f $(TEST_BUILD)/CMakeCache.txt ]; then cmake -S . -B $(TEST_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DVUZED_SANITIZE=ON; fi
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

# The .deb of the optimised build, through CPack (cmake/install.cmake); its
# dependencies are the Debian packages of the libraries the programs link.
package: build
	cmake --build $(BUILD) -j $(JOBS) --target package

tsan: deps
	@if [ ! -f $(TSAN_BUILD)/CMakeCache.txt ]; then cmake -S . -B $(TSAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DVUZED_TSAN=ON; fi
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target vuzed_tests
	cd $(TSAN_BUILD) && ctest --output-on-failure -j $(JOBS) -R '$(TSAN_TESTS)'

# The soak: vuzed-tool and the generated data, optimised, then one long run.
soak: deps
	@if [ ! -f $(SOAK_BUILD)/CMakeCache.txt ]; then cmake -S . -B $(SOAK_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DVUZED_TESTS=OFF; fi
	cmake --build $(SOAK_BUILD) -j $(JOBS) --target vuzed-tool stage_data pictures generate_sounds
	sh tools/soak.sh $(SOAK_BUILD) $(SOAK_PASSES)

# Benchmarks: an optimised build; every bench program runs in turn.
bench: deps
	@if [ ! -f $(BENCH_BUILD)/CMakeCache.txt ]; then cmake -S . -B $(BENCH_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DVUZED_BENCH=ON -DVUZED_TESTS=OFF; fi
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	@for b in $(BENCH_BUILD)/vuzed_bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

# Fuzzing: clang with libFuzzer, ASan and UBSan; each target runs FUZZ_SECONDS
# (or, with FUZZ_RUNS set, that many inputs) from its corpus folder
# ($(FUZZ_BUILD)/corpus/<name>/, grown by the run) and the checked-in seeds in
# fuzz/seeds/<name>/ when there are any. Inputs are cut at 4096 bytes, or at
# the largest seed's size when that is larger. Crash files go to $(FUZZ_BUILD).
fuzz: deps
	@if [ ! -f $(FUZZ_BUILD)/CMakeCache.txt ]; then CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVUZED_FUZZ=ON -DVUZED_TESTS=OFF; fi
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@for f in $(FUZZ_BUILD)/vuzed_fuzz_*; do \
	  [ -x "$$f" ] || continue; name=$${f##*/vuzed_fuzz_}; corpus=$(FUZZ_BUILD)/corpus/$$name; \
	  mkdir -p $$corpus; seeds=""; maxlen=4096; \
	  if [ -d fuzz/seeds/$$name ]; then \
	    seeds=fuzz/seeds/$$name; \
	    for s in $$seeds/*; do n=$$(stat -c %s "$$s"); [ $$n -gt $$maxlen ] && maxlen=$$n; done; \
	  fi; \
	  if [ -n "$(FUZZ_RUNS)" ]; then limit=-runs=$(FUZZ_RUNS); else limit=-max_total_time=$(FUZZ_SECONDS); fi; \
	  echo "fuzzing $$name ($$limit)"; \
	  ASAN_OPTIONS=$(FUZZ_ASAN_OPTIONS) "$$f" $$limit -max_len=$$maxlen -timeout=10 -rss_limit_mb=2048 -artifact_prefix=$(FUZZ_BUILD)/$$name- \
	    $$corpus $$seeds > $(FUZZ_BUILD)/$$name.log 2>&1 \
	    || { tail -40 $(FUZZ_BUILD)/$$name.log; exit 1; }; \
	  tail -2 $(FUZZ_BUILD)/$$name.log; \
	done

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(TSAN_BUILD) $(SOAK_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
