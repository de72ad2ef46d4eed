# Kvor: `make run` and `make test` do everything needed on a fresh Debian 12 machine.

DEBS := cmake make g++ clang libclang-rt-14-dev pkg-config qt6-base-dev libgl-dev \
        libgtest-dev libgmock-dev libbenchmark-dev libshp-dev shapelib \
        fonts-liberation xvfb xauth poppler-utils \
        python3 python3-dbf python3-dbfread libdbd-xbase-perl gdal-bin

SHELL := /bin/bash
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS ?= $(shell nproc)
FUZZ_TARGETS := table_fuzz filter_fuzz
FUZZ_SECONDS ?= 60
SMOKE_SECONDS ?= 30

.PHONY: deps build test run bench fuzz fuzz-build asan clean

deps:
	@missing=""; \
	for p in $(DEBS); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build -j$(JOBS)

run: build
	./build/bin/kvor

# Everything: the normal build and all tests, the core tests again under
# AddressSanitizer + UndefinedBehaviorSanitizer, and a short run of every fuzz target.
test: build
	ctest --test-dir build --output-on-failure -j$(JOBS)
	$(MAKE) --no-print-directory asan
	$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=$(SMOKE_SECONDS)

asan: deps
	cmake -S . -B build-asan -DKVOR_CORE_ONLY=ON -DKVOR_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build build-asan -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir build-asan -L core --output-on-failure -j$(JOBS)

fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DKVOR_FUZZ=ON -DKVOR_CORE_ONLY=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-fuzz -j$(JOBS)

# Each target runs for FUZZ_SECONDS on a scratch copy of its committed seed corpus.
fuzz: fuzz-build
	@set -eo pipefail; for t in $(FUZZ_TARGETS); do \
	  seeds=fuzz/corpus/$${t%_fuzz}; work=build-fuzz/corpus/$${t%_fuzz}; mkdir -p $$work; \
	  echo "== $$t for $(FUZZ_SECONDS) s"; \
	  build-fuzz/bin/$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	    -artifact_prefix=build-fuzz/ -print_final_stats=1 $$work $$seeds 2>&1 | tail -n 12; \
	done

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j$(JOBS) --target kvor_bench
	./build-bench/bin/kvor_bench

clean:
	rm -rf build build-asan build-fuzz build-bench
