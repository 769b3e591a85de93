# make run   installs what is missing, builds, starts the program
# make test  the same set-up, then every test
# make bench the render, start-up and huge-outline benchmarks (BENCH_ARGS passes Google Benchmark flags)
# make soak  100,000 random user actions, then the memory check (SOAK_ACTIONS, VANTOR_SEED)
# make fuzz  libFuzzer on the text conversions and on font files, FUZZ_SECONDS each (clang)
# make fuzz-check  what CI runs: every saved input once, then FUZZ_RUNS inputs from a fixed seed
# make install PREFIX=~/.local   the program, its desktop entry, icon, metainfo and manual
# make package  build/vantor-font-mapper_<version>_<arch>.deb, checked with lintian
# Knobs: BUILD_DIR, BUILD_TYPE, WERROR=ON, SANITIZE=ON.

BUILD_DIR ?= build
PREFIX ?= /usr/local
BUILD_TYPE ?= RelWithDebInfo
WERROR ?= OFF
SANITIZE ?= OFF

# Some builds of Node.js bring npm; Debian's is a package of its own.
NPM_PACKAGE := $(if $(shell command -v npm 2>/dev/null),,npm)
PACKAGES := cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev libfreetype-dev libharfbuzz-dev libfontconfig-dev libicu-dev libexpat1-dev \
	libgtest-dev libbenchmark-dev fonts-dejavu-core fonts-dejavu-extra fonts-terminus-otb \
	fonts-noto-color-emoji fonts-urw-base35 python3-fonttools xvfb xauth xdotool imagemagick xclip love libgl1-mesa-dri \
	desktop-file-utils appstream dpkg-dev nodejs chromium $(NPM_PACKAGE)
FUZZ_PACKAGES := clang libclang-rt-dev
PACKAGE_PACKAGES := lintian
BENCH_FONTS = $(BUILD_DIR)/bench/fonts
FUZZ_SECONDS ?= 60
FUZZ_RUNS ?= 1000
SOAK_ACTIONS ?= 100000
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)
JOBS := $(shell nproc)

.PHONY: all deps configure build run test bench soak fuzz fuzz-build fuzz-check install package clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES) $(EXTRA_PACKAGES); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update && \
		$(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
		-DVANTOR_WERROR=$(WERROR) -DVANTOR_SANITIZE=$(SANITIZE)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/vantor-font-mapper

test: build
	cmake --build $(BUILD_DIR) --target readers
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

bench: build
	test -e $(BENCH_FONTS)/bench-1999.ttf || \
		/usr/bin/python3 bench/make_fonts.py /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf $(BENCH_FONTS) 2000
	$(BUILD_DIR)/bench/vantor_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true $(BENCH_ARGS)
	$(BUILD_DIR)/bench/vantor_startup_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true $(BENCH_ARGS)
	$(BUILD_DIR)/bench/vantor_huge_outlines_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true $(BENCH_ARGS)

soak: build
	VANTOR_ACTIONS=$(SOAK_ACTIONS) VANTOR_SOAK=1 VANTOR_SEED=$${VANTOR_SEED:-1} \
		$(BUILD_DIR)/tests/vantor_tests --gtest_filter='RandomUserTest.*'

fuzz-build:
	$(MAKE) --no-print-directory deps EXTRA_PACKAGES="$(FUZZ_PACKAGES)"
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOR_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)

fuzz: fuzz-build
	tests/fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

fuzz-check: fuzz-build
	tests/fuzz/run.sh build-fuzz check $(FUZZ_RUNS)

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

package: build
	$(MAKE) --no-print-directory deps EXTRA_PACKAGES="$(PACKAGE_PACKAGES)"
	cd $(BUILD_DIR) && cpack
	lintian --fail-on error,warning $(BUILD_DIR)/vantor-font-mapper_*.deb

clean:
	rm -rf $(BUILD_DIR)
