# Kvor: `make run` and `make test` do everything needed on a fresh Debian 12 machine.

DEBS := cmake make g++ clang libclang-rt-14-dev pkg-config qt6-base-dev libgl-dev \
        libgtest-dev libgmock-dev libbenchmark-dev libshp-dev shapelib \
        fonts-liberation xvfb xauth poppler-utils \
        python3 python3-dbf python3-pil python3-dbfread libdbd-xbase-perl gdal-bin \
        xdotool openbox wmctrl desktop-file-utils appstream qt6-translations-l10n \
        qt6-l10n-tools qt6-tools-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev groff-base

SHELL := /bin/bash
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS ?= $(shell nproc)
FUZZ_TARGETS := table_fuzz filter_fuzz workfile_fuzz convert_fuzz titleblock_fuzz pages_fuzz project_fuzz
FUZZ_SECONDS ?= 60
SMOKE_SECONDS ?= 10
# Sanitizer settings for the whole suite; the suppressions cover only leaks
# inside system libraries (see the file).
SAN_ENV := QT_QPA_PLATFORM=offscreen \
  ASAN_OPTIONS=detect_leaks=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: deps build test run bench fuzz fuzz-build fuzz-seeds asan clean

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

# Everything: the normal build and all tests, the whole suite again under
# AddressSanitizer + UndefinedBehaviorSanitizer, and a short run of every fuzz target.
test: build
	ctest --test-dir build --output-on-failure -j$(JOBS)
	$(MAKE) --no-print-directory asan
	$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=$(SMOKE_SECONDS)

# Every suite, the window tests included (offscreen), on a full sanitizer build;
# the package check is left to the normal build (it packages these binaries).
# The build runs the test executables to list their tests, so it needs the settings too.
asan: deps
	cmake -S . -B build-asan -DKVOR_CORE_ONLY=OFF -DKVOR_SANITIZE=ON -DKVOR_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
	$(SAN_ENV) cmake --build build-asan -j$(JOBS)
	$(SAN_ENV) ctest --test-dir build-asan --output-on-failure -j$(JOBS) -LE package

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

# Rewrites the committed seed corpora from the shipped tables and the program's writers.
fuzz-seeds: fuzz-build
	python3 fuzz/make-table-seeds.py fuzz/corpus/table
	rm -rf fuzz/corpus/workfile fuzz/corpus/convert fuzz/corpus/titleblock fuzz/corpus/pages
	QT_QPA_PLATFORM=offscreen build-fuzz/bin/kvor-fuzz-seeds build-fuzz/fuzz-data/DATA fuzz/corpus

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j$(JOBS) --target kvor_bench kvor_report_bench
	./build-bench/bin/kvor_bench
	QT_QPA_PLATFORM=offscreen ./build-bench/bin/kvor_report_bench

clean:
	rm -rf build build-asan build-fuzz build-bench

# The .deb (program in /opt/kvor, menu entry, icons, MIME type) and the .tar.gz
# of the portable program folder, written into build/.
.PHONY: package
package: build
	cd build && cpack -G "DEB;TGZ"
	@ls -l build/kvor_*.deb build/kvor-*.tar.gz
